// The profile engine's transactions on an in-memory file system: one read and at most one write
// per file per transaction, other writers' changes replayed over, failures answered per file.
#include "platform/profile_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tx3::platform {
namespace {

class MemoryIo final : public ProfileIo {
 public:
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders{"C:"};
  std::set<std::string> readOnly;
  std::set<std::string> failingReplace;
  int reads = 0;
  int replaces = 0;
  int locks = 0;
  int folderSyncs = 0;

  ReadOutcome Read(const std::string& path, const FileIdentity* known, FileIdentity* identity,
                   std::string* bytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return ReadOutcome::kMissing;
    identity->size = static_cast<int64_t>(found->second.size());
    identity->modifiedNs = generation_[path];
    if (known != nullptr && *known == *identity) return ReadOutcome::kUnchanged;
    ++reads;
    *bytes = found->second;
    return ReadOutcome::kRead;
  }
  std::string ReplacementTarget(const std::string& path) override { return path; }
  std::string FolderOf(const std::string& path) override {
    return path.substr(0, path.rfind('\\'));
  }
  bool Writable(const std::string& path) override {
    return folders.contains(FolderOf(path)) && !readOnly.contains(path);
  }
  std::unique_ptr<ProfileLock> LockFolder(const std::string& folder) override {
    ++locks;
    return folders.contains(folder) ? std::make_unique<ProfileLock>() : nullptr;
  }
  void RemoveOrphans(const std::string& /*folder*/) override {}
  bool Replace(const std::string& path, std::string_view bytes, bool /*durable*/,
               FileIdentity* identity) override {
    if (readOnly.contains(path) || failingReplace.contains(path)) return false;
    ++replaces;
    Put(path, std::string(bytes));
    identity->size = static_cast<int64_t>(bytes.size());
    identity->modifiedNs = generation_[path];
    return true;
  }
  void Sync(const std::string& /*path*/, bool folder) override { folderSyncs += folder ? 1 : 0; }

  // Another process's write: a new generation of the file.
  void Put(const std::string& path, std::string bytes) {
    files[path] = std::move(bytes);
    ++generation_[path];
  }

 private:
  std::map<std::string, int64_t> generation_;
};

constexpr const char* kSys = "C:\\Br_Sys.ini";
constexpr const char* kMus = "C:\\BR_Mus.ini";

class ProfileEngineTest : public ::testing::Test {
 protected:
  std::string Get(const std::string& path, const char* section, const char* key) {
    std::string value;
    engine_.Read(path, section, key, "<none>", &value);
    return value;
  }

  MemoryIo io_;
  ProfileEngine engine_{io_};
};

TEST_F(ProfileEngineTest, ATransactionReadsEachFileOnceAndWritesItOnce) {
  io_.Put(kSys, "[A]\r\nold=1\r\n");
  engine_.BeginTransaction();
  for (int i = 0; i < 50; ++i) {
    const std::string key = "k" + std::to_string(i);
    EXPECT_EQ(Get(kSys, "A", key.c_str()), "<none>");
    EXPECT_TRUE(engine_.Write(kSys, "A", key, std::to_string(i)));
    EXPECT_TRUE(engine_.Write(kMus, "B", key, "x"));
  }
  EXPECT_TRUE(engine_.Write(kSys, "A", "old", "2"));
  EXPECT_EQ(Get(kSys, "A", "k7"), "7");  // the transaction reads its own writes
  EXPECT_EQ(io_.replaces, 0);

  const std::vector<ProfileFileChange> commits = engine_.Commit();
  engine_.EndTransaction();
  ASSERT_EQ(commits.size(), 2u);
  EXPECT_EQ(commits[0].file, kSys);  // in the order the files were first changed
  EXPECT_EQ(commits[0].added, 50);
  EXPECT_EQ(commits[0].changed, 1);
  EXPECT_TRUE(commits[0].written);
  EXPECT_EQ(commits[1].added, 50);
  EXPECT_EQ(io_.replaces, 2);
  EXPECT_EQ(io_.reads, 1);  // the check under the lock finds the file as it was read
  EXPECT_EQ(engine_.Stats().parses, 1u);
  EXPECT_EQ(io_.folderSyncs, 1);  // both files are in one folder
}

TEST_F(ProfileEngineTest, ATransactionThatChangesNothingTouchesNothing) {
  io_.Put(kSys, "[A]\r\nk=1\r\n");
  engine_.BeginTransaction();
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "1"));
  EXPECT_TRUE(engine_.Commit().empty());
  engine_.EndTransaction();
  EXPECT_EQ(io_.replaces + io_.locks + io_.folderSyncs, 0);
}

TEST_F(ProfileEngineTest, ALineRewrittenAsItWasIsNotWritten) {
  io_.Put(kSys, "[A]\r\nk=v \r\n");
  engine_.BeginTransaction();
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "v "));  // the stored value is "v": a rewrite
  const std::vector<ProfileFileChange> commits = engine_.Commit();
  engine_.EndTransaction();
  ASSERT_EQ(commits.size(), 1u);
  EXPECT_TRUE(commits[0].written);
  EXPECT_EQ(io_.replaces, 0);
  EXPECT_EQ(Get(kSys, "A", "k"), "v");
}

TEST_F(ProfileEngineTest, AnotherWritersChangesSurviveTheCommit) {
  io_.Put(kSys, "[A]\r\nmine=0\r\ntheirs=0\r\n");
  engine_.BeginTransaction();
  EXPECT_TRUE(engine_.Write(kSys, "A", "mine", "1"));
  EXPECT_TRUE(engine_.Write(kSys, "A", "added", "1"));
  io_.Put(kSys, "[A]\r\nmine=0\r\ntheirs=2\r\n[B]\r\nnew=3\r\n");
  const std::vector<ProfileFileChange> commits = engine_.Commit();
  engine_.EndTransaction();
  EXPECT_EQ(io_.files[kSys], "[A]\r\nmine=1\r\ntheirs=2\r\nadded=1\r\n[B]\r\nnew=3\r\n");
  ASSERT_EQ(commits.size(), 1u);
  EXPECT_EQ(commits[0].added, 1);
  EXPECT_EQ(commits[0].changed, 1);
  ASSERT_EQ(commits[0].keys.size(), 2u);
  EXPECT_EQ(commits[0].keys[0].before, "0");
  EXPECT_EQ(commits[0].keys[0].after, "1");
  EXPECT_EQ(commits[0].keys[1].key, "added");
  EXPECT_EQ(commits[0].keys[1].before, std::nullopt);
}

TEST_F(ProfileEngineTest, WritesAreRefusedWhereTheFileCouldNotBeWritten) {
  io_.Put(kSys, "[A]\r\nk=1\r\n");
  io_.readOnly.insert(kSys);
  engine_.BeginTransaction();
  EXPECT_FALSE(engine_.Write(kSys, "A", "k", "2"));
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "1"));  // already stored: nothing to write
  EXPECT_FALSE(engine_.Write("C:\\Missing\\x.ini", "A", "k", "1"));
  io_.folders.insert("C:\\Missing");  // the caller makes the folder, then tries again
  EXPECT_TRUE(engine_.Write("C:\\Missing\\x.ini", "A", "k", "1"));
  EXPECT_EQ(engine_.Commit().size(), 1u);
  engine_.EndTransaction();
}

TEST_F(ProfileEngineTest, AFailedCommitIsAnsweredAndTheFileReadAgain) {
  io_.Put(kSys, "[A]\r\nk=1\r\n");
  io_.failingReplace.insert(kSys);
  engine_.BeginTransaction();
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "2"));
  EXPECT_TRUE(engine_.Write(kMus, "A", "k", "2"));
  const std::vector<ProfileFileChange> commits = engine_.Commit();
  ASSERT_EQ(commits.size(), 2u);
  EXPECT_FALSE(commits[0].written);
  EXPECT_TRUE(commits[1].written);
  EXPECT_EQ(Get(kSys, "A", "k"), "1");  // the transaction no longer pretends
  engine_.EndTransaction();
  EXPECT_EQ(io_.files[kSys], "[A]\r\nk=1\r\n");
}

TEST_F(ProfileEngineTest, ADryRunCountsWithoutWritingAndSeesItsOwnChanges) {
  io_.Put(kSys, "[A]\r\nk=1\r\n");
  engine_.SetDryRun(true);
  engine_.BeginTransaction();
  engine_.BeginTransaction();  // a command inside the whole run
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "2"));
  const std::vector<ProfileFileChange> commits = engine_.Commit();
  engine_.EndTransaction();
  ASSERT_EQ(commits.size(), 1u);
  EXPECT_EQ(commits[0].changed, 1);
  EXPECT_FALSE(commits[0].written);
  EXPECT_EQ(Get(kSys, "A", "k"), "2");  // a later command sees what the dry run would write
  engine_.EndTransaction();
  EXPECT_EQ(io_.replaces + io_.locks, 0);
  EXPECT_EQ(io_.files[kSys], "[A]\r\nk=1\r\n");
  EXPECT_EQ(Get(kSys, "A", "k"), "1");
}

TEST_F(ProfileEngineTest, OutsideATransactionEachWriteIsWrittenAtOnce) {
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "1"));
  EXPECT_TRUE(engine_.Write(kSys, "A", "k", "2"));
  EXPECT_EQ(io_.replaces, 2);
  EXPECT_EQ(io_.files[kSys], "[A]\r\nk=2\r\n");
}

}  // namespace
}  // namespace tx3::platform
