// The paths of this build, the only test source that holds them: every other test compiles to
// the same object in any clone, so that a second clone's build takes them from ccache.
#include "support/test_files.h"

namespace tx3::testing {

std::string SourceFolder() {
  return TX3_SOURCE_DIR;
}

std::string TestBinaryFolder() {
  return TX3_TEST_BINARY_DIR;
}

std::string SetupProgram() {
  return TX3_SETUP_EXE;
}

std::string TestEngineLibrary() {
  return TX3_TEST_ENGINE;
}

std::string ProfileWriterProgram() {
  return TX3_PROFILE_WRITER;
}

}  // namespace tx3::testing
