// The contract every implementation of platform::Platform keeps: the behaviour the program relies
// on, run against each implementation through a small per-platform subject. Where an
// implementation and this file disagree, the implementation is wrong (the test fake included).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "support/fake_platform.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/posix/posix_platform.h"
#include "posix/temp_drives.h"
#else
#include <windows.h>

#include "platform/win32/temp_folder.h"
#include "platform/win32/win32_platform.h"
#endif

namespace tx3::platform {
namespace {

// One implementation under test, with drive C: and an empty folder C:\Contract on it.
class Subject {
 public:
  virtual ~Subject() = default;
  virtual Platform& os() = 0;
  // The real path of a path of the contract: on Windows C:\Contract is a fresh folder of %TEMP%.
  virtual std::string Path(std::string_view contractPath) { return std::string(contractPath); }
  // Makes a file of `size` bytes (sparse where the system allows).
  virtual void AddFile(const std::string& path, int64_t size) = 0;
  // The bytes of a file the profile functions wrote.
  virtual std::string FileBytes(const std::string& path) = 0;
};

class FakeSubject final : public Subject {
 public:
  FakeSubject() {
    fake_.AddFolder("C:\\Contract");
    fake_.AddFolder(fake_.windowsDirectory);
  }
  Platform& os() override { return fake_; }
  void AddFile(const std::string& path, int64_t size) override { fake_.AddFile(path, size); }
  std::string FileBytes(const std::string& path) override { return fake_.IniText(path); }

 private:
  tx3::testing::FakePlatform fake_;
};

#if !defined(_WIN32)
class PosixSubject final : public Subject {
 public:
  PosixSubject() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tx3_contract_XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) root_ = pattern;
    const std::string drives = root_ + "/drives";
    ::mkdir(drives.c_str(), 0777);
    ::mkdir((drives + "/c:").c_str(), 0777);
    ::mkdir((drives + "/c:/Contract").c_str(), 0777);
    ::mkdir((drives + "/c:/windows").c_str(), 0777);
    os_ = std::make_unique<posix::PosixPlatform>(posix::DriveMap(drives, false));
  }
  ~PosixSubject() override { posix::RemoveTree(root_); }
  Platform& os() override { return *os_; }
  void AddFile(const std::string& path, int64_t size) override {
    const int fd = ::open(os_->EnginePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
  }
  std::string FileBytes(const std::string& path) override {
    std::ifstream in(os_->EnginePath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  std::string root_;
  std::unique_ptr<posix::PosixPlatform> os_;
};
#endif

#if defined(_WIN32)
class Win32Subject final : public Subject {
 public:
  // The system's Win.ini is the prefix's or the machine's own: the contract's section goes.
  ~Win32Subject() override { ::WriteProfileStringW(L"tx3_contract", nullptr, nullptr); }
  Platform& os() override { return os_; }
  std::string Path(std::string_view contractPath) override {
    constexpr std::string_view kContract = "C:\\Contract";
    if (contractPath.size() < kContract.size()) return std::string(contractPath);
    std::string head(contractPath.substr(0, kContract.size()));
    for (char& c : head) c = c == '/' ? '\\' : static_cast<char>(std::tolower(c));
    if (head != "c:\\contract") return std::string(contractPath);
    return folder_.path() + std::string(contractPath.substr(kContract.size()));
  }
  void AddFile(const std::string& path, int64_t size) override {
    ASSERT_TRUE(win32::MakeFile(Path(path), size)) << path;
  }
  std::string FileBytes(const std::string& path) override { return win32::FileBytes(Path(path)); }

 private:
  win32::TempFolder folder_;
  win32::Win32Platform os_;
};
#endif

struct Implementation {
  const char* name;
  std::function<std::unique_ptr<Subject>()> make;
};

void PrintTo(const Implementation& implementation, std::ostream* out) {
  *out << implementation.name;
}

const Implementation kImplementations[] = {
    {"Fake", [] { return std::unique_ptr<Subject>(new FakeSubject()); }},
#if !defined(_WIN32)
    {"Posix", [] { return std::unique_ptr<Subject>(new PosixSubject()); }},
#else
    {"Win32", [] { return std::unique_ptr<Subject>(new Win32Subject()); }},
#endif
};

class PlatformContract : public ::testing::TestWithParam<Implementation> {
 protected:
  void SetUp() override { subject_ = GetParam().make(); }
  Platform& os() { return subject_->os(); }
  std::string P(std::string_view contractPath) { return subject_->Path(contractPath); }
  std::string First(std::string_view pattern, bool folders = true) {
    std::string name = "unchanged";
    EXPECT_EQ(os().FindFirst(P(pattern), folders, &name), 0) << pattern;
    return name;
  }
  std::string Read(const std::string& file, const char* section, const char* key) {
    std::string value;
    os().ReadProfileString(section, key, "dflt", &value, P(file));
    return value;
  }

  std::unique_ptr<Subject> subject_;
};

TEST_P(PlatformContract, FindFirstMatchesTheLastComponent) {
  subject_->AddFile("C:\\Contract\\Alpha.txt", 1);
  subject_->AddFile("C:\\Contract\\beta.ini", 1);
  ASSERT_EQ(os().MakeDirectory(P("C:\\Contract\\Sub")), 0);
  struct Case {
    const char* pattern;
    bool folders;
    const char* first;
  };
  for (const Case& c :
       {Case{"C:\\Contract\\*.txt", false, "Alpha.txt"},
        Case{"C:\\CONTRACT\\ALPHA.TXT", false, "Alpha.txt"},
        Case{"C:/Contract/b?ta.*", false, "beta.ini"}, Case{"C:\\Contract\\S*", true, "Sub"},
        Case{"C:\\Contract\\S*", false, ""}, Case{"C:\\Contract\\Sub\\", true, "."},
        Case{"C:\\contract\\sub\\", true, "."}, Case{"C:\\Contract\\Missing\\", true, ""},
        Case{"C:\\Contract\\*.doc", true, ""}, Case{"C:\\Nowhere\\*", true, ""},
        Case{"Q:\\*", true, ""}}) {
    EXPECT_EQ(First(c.pattern, c.folders), c.first) << c.pattern;
  }
}

TEST_P(PlatformContract, MakeDirectoryAnswersTheClassicNumbers) {
  struct Case {
    const char* path;
    int32_t number;
  };
  for (const Case& c :
       {Case{"C:\\Contract\\New", 0}, Case{"C:\\Contract\\NEW", err::kPathFileAccess},
        Case{"C:\\Contract\\No\\Deeper", err::kPathNotFound},
        Case{"C:\\Contract\\bad|name", err::kBadFileName},
        Case{"C:\\Contract\\CON", err::kBadFileName},
        Case{"C:\\Contract\\dot.", err::kBadFileName}}) {
    EXPECT_EQ(os().MakeDirectory(P(c.path)), c.number) << c.path;
  }
}

TEST_P(PlatformContract, FolderCreations) {
  EXPECT_TRUE(os().CreateFolder(P("C:\\Contract\\One")));
  EXPECT_FALSE(os().CreateFolder(P("C:\\Contract\\One")));
  EXPECT_FALSE(os().CreateFolder(P("C:\\Contract\\Missing\\Two")));
  EXPECT_TRUE(os().CreateFolderLike(P("C:\\Contract\\One"), P("C:\\Contract\\Two")));
  EXPECT_EQ(First("C:\\Contract\\Two\\"), ".");
}

TEST_P(PlatformContract, Attributes) {
  subject_->AddFile("C:\\Contract\\f.txt", 1);
  uint32_t attributes = 0;
  ASSERT_EQ(os().GetAttributes(P("C:\\Contract\\f.txt"), &attributes), 0);
  EXPECT_EQ(attributes, kAttrArchive);
  ASSERT_EQ(os().GetAttributes(P("C:\\Contract"), &attributes), 0);
  EXPECT_EQ(attributes & kAttrDirectory, kAttrDirectory);
  ASSERT_EQ(os().SetAttributes(P("C:\\Contract\\f.txt"), kAttrReadOnly | kAttrArchive), 0);
  ASSERT_EQ(os().GetAttributes(P("C:\\CONTRACT\\F.TXT"), &attributes), 0);
  EXPECT_EQ(attributes, kAttrReadOnly | kAttrArchive);
  ASSERT_EQ(os().SetAttributes(P("C:\\Contract\\f.txt"), kAttrArchive), 0);
  ASSERT_EQ(os().GetAttributes(P("C:\\Contract\\f.txt"), &attributes), 0);
  EXPECT_EQ(attributes, kAttrArchive);
  EXPECT_EQ(os().GetAttributes(P("C:\\Contract\\none"), &attributes), err::kFileNotFound);
}

TEST_P(PlatformContract, FileSizeIs64Bit) {
  constexpr int64_t kFiveGiB = int64_t{5} << 30;
  subject_->AddFile("C:\\Contract\\big.wav", kFiveGiB);
  int64_t size = 0;
  ASSERT_EQ(os().FileSize(P("C:\\Contract\\big.wav"), &size), 0);
  EXPECT_EQ(size, kFiveGiB);
  EXPECT_EQ(os().FileSize(P("C:\\Contract\\none.wav"), &size), err::kFileNotFound);
}

TEST_P(PlatformContract, ProfileReadsAndWrites) {
  const std::string ini = "C:\\Contract\\a.ini";
  EXPECT_EQ(Read(ini, "S", "k"), "dflt") << "missing file";
  ASSERT_TRUE(os().WriteProfileEntry("S1", "a", "1", P(ini)));
  ASSERT_TRUE(os().WriteProfileEntry("S2", "b", "2", P(ini)));
  ASSERT_TRUE(os().WriteProfileEntry("s1", "c", "3", P(ini)));
  EXPECT_EQ(subject_->FileBytes(ini), "[S1]\r\na=1\r\nc=3\r\n[S2]\r\nb=2\r\n")
      << "a new key at the end of its section";
  EXPECT_EQ(Read(ini, "s1", "A"), "1");
  EXPECT_EQ(Read(ini, "S2", "x"), "dflt") << "missing key";
  EXPECT_EQ(Read(ini, "S3", "a"), "dflt") << "missing section";
  const std::string whole(5000, 'v');
  ASSERT_TRUE(os().WriteProfileEntry("S2", "long", whole, P(ini)));
  EXPECT_EQ(Read(ini, "S2", "LONG"), whole);
}

TEST_P(PlatformContract, ProfileValueAlreadyStoredIsNotWritten) {
  const std::string ini = "C:\\Contract\\kept.ini";
  ASSERT_TRUE(os().WriteProfileEntry("S", "k", "v", P(ini)));
  ASSERT_EQ(os().SetAttributes(P(ini), kAttrReadOnly), 0);
  EXPECT_TRUE(os().WriteProfileEntry("S", "K", "v", P(ini))) << "nothing to write";
  EXPECT_FALSE(os().WriteProfileEntry("S", "k", "other", P(ini))) << "read-only";
  EXPECT_EQ(Read(ini, "S", "k"), "v");
}

TEST_P(PlatformContract, ProfileTransaction) {
  const std::string ini = P("C:\\Contract\\t.ini");
  ASSERT_TRUE(os().WriteProfileEntry("S", "a", "0", ini));
  os().BeginProfileTransaction();
  ASSERT_TRUE(os().WriteProfileEntry("S", "a", "1", ini));
  ASSERT_TRUE(os().WriteProfileEntry("S", "b", "2", ini));
  EXPECT_EQ(Read("C:\\Contract\\t.ini", "S", "b"), "2") << "the transaction's own write";
  const std::vector<ProfileFileChange> changes = os().CommitProfileWrites();
  os().EndProfileTransaction();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].file, ini) << "named as the writes named it";
  EXPECT_EQ(changes[0].added, 1);
  EXPECT_EQ(changes[0].changed, 1);
  EXPECT_TRUE(changes[0].written);
  EXPECT_EQ(subject_->FileBytes("C:\\Contract\\t.ini"), "[S]\r\na=1\r\nb=2\r\n");

  os().BeginProfileTransaction();
  ASSERT_TRUE(os().WriteProfileEntry("S", "b", "2", ini));
  EXPECT_TRUE(os().CommitProfileWrites().empty()) << "nothing changed";
  os().EndProfileTransaction();
}

// Win.ini, the file of the Windows folder (kept by the system itself on Windows), has its writes
// in a transaction answered as any settings file has, under the name the caller gave it.
TEST_P(PlatformContract, WinIniChangesAreAnsweredAsAnyFile) {
  const std::string winIni = os().WindowsDirectory() + "\\Win.ini";
  for (const char* value : {"C:\\Cfg\\", "C:\\Autre\\"}) {
    os().BeginProfileTransaction();
    ASSERT_TRUE(os().WriteProfileEntry("tx3_contract", "Dossier", value, winIni));
    ASSERT_TRUE(os().WriteProfileEntry("tx3_contract", "Actif", "ON", winIni));
    EXPECT_EQ(Read(winIni, "TX3_CONTRACT", "dossier"), value) << "the transaction's own write";
    const std::vector<ProfileFileChange> changes = os().CommitProfileWrites();
    os().EndProfileTransaction();
    ASSERT_EQ(changes.size(), 1u) << value;
    EXPECT_EQ(changes[0].file, winIni);
    const bool first = std::string_view(value) == "C:\\Cfg\\";
    EXPECT_EQ(changes[0].added, first ? 2 : 0) << value;
    EXPECT_EQ(changes[0].changed, first ? 0 : 1) << value << ": Actif is already ON";
    EXPECT_TRUE(changes[0].written);
    EXPECT_EQ(Read(winIni, "tx3_contract", "Dossier"), value);
  }
}

TEST_P(PlatformContract, EngineLibraryThatCannotBeLoaded) {
  int32_t error = 0;
  EXPECT_EQ(os().LoadEngineLibrary("/nonexistent/libtx3engine.so", &error), nullptr);
  EXPECT_EQ(error, err::kLibraryNotFound);
  error = 0;
  EXPECT_EQ(os().LoadEngineEntry(P("C:\\Contract\\missing.dll"), &error), nullptr);
  EXPECT_EQ(error, err::kLibraryNotFound);
}

TEST_P(PlatformContract, AnsiConversion) {
  EXPECT_EQ(os().Utf8ToAnsi("\xC3\xA9\xE2\x82\xAC\xC4\x80\xF0\x9F\x98\x80 \xFF"), "\xE9\x80?? ?");
  EXPECT_EQ(os().AnsiToUtf8("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");
}

INSTANTIATE_TEST_SUITE_P(EveryPlatform, PlatformContract, ::testing::ValuesIn(kImplementations),
                         [](const ::testing::TestParamInfo<Implementation>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tx3::platform
