// Keeping the parameter file's slot sections in step with the project: moves
// by SYNCH_ID, new and vacated slots, and the cases where a plain walk over
// the slots would lose stored parameters.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

#include "TestProject.h"
#include "config/ParameterCodec.h"

namespace qx {
namespace {

using test::HardwareConfig;
using test::ModuleSlot;
using test::ReadText;

class Reconcile : public test::ProjectFixture {
 protected:
  // A parameter file as created, with the given sections filled: each holds
  // the identity keys and a marker value in "DE" that tells them apart.
  void StoreSections(std::initializer_list<std::tuple<int, const char*, const char*>> sections) {
    ASSERT_TRUE(CreateParameterFile(parameterPath_));
    for (const auto& [slot, synch, marker] : sections) {
      const std::string s = "SLOT1" + std::to_string(slot);
      parameters_.WriteString(s.c_str(), "MODULE_ID", "0x5881");
      if (synch != nullptr) parameters_.WriteString(s.c_str(), "SYNCH_ID", synch);
      parameters_.WriteString(s.c_str(), "DE", marker);
    }
  }
  std::string FileText() { return ReadText(parameterPath_); }
  std::vector<std::string> Keys(int slot) {
    std::vector<std::string> keys;
    parameters_.GetKeyNames(("SLOT1" + std::to_string(slot)).c_str(), keys);
    return keys;
  }
};

TEST_F(Reconcile, FollowsAModuleToItsNewSlotAndSettles) {
  WriteProject(HardwareConfig() + ModuleSlot(5, 7));
  Load();
  StoreSections({{3, "7", "A"}});
  ReconcileParameterFile(context_);
  EXPECT_EQ(Stored(5, "DE"), "A");
  EXPECT_EQ(Stored(5, "SYNCH_ID"), "7");
  EXPECT_TRUE(Keys(3).empty());
  EXPECT_NE(FileText().find("[SLOT13]\r\n[SLOT14]\r\n"), std::string::npos);  // the emptied header stays

  const std::string settled = FileText();
  ReconcileParameterFile(context_);
  EXPECT_EQ(FileText(), settled);
}

TEST_F(Reconcile, GivesANewModuleItsIdentityAndTheRecord) {
  WriteProject(HardwareConfig() + ModuleSlot(4, 9, "1a"));
  Load();
  StoreSections({});
  ReconcileParameterFile(context_);
  const std::string text = FileText();
  EXPECT_NE(text.find("[SLOT14]\r\nMODULE_ID=0x5881\r\nSYNCH_ID=9\r\nFWVER=1A\r\nDE=0,0,0,4f70\r\n"),
            std::string::npos)
      << text;
}

TEST_F(Reconcile, EmptiesSlotsThatNoLongerHoldThisModuleType) {
  WriteProject(HardwareConfig() + "[SLOT16]\nMODULE_ID=0x4410\nSYNCH_ID=5\n");
  Load();
  StoreSections({{6, "5", "A"}, {8, "6", "B"}});
  ReconcileParameterFile(context_);
  EXPECT_TRUE(Keys(6).empty());
  EXPECT_TRUE(Keys(8).empty());
}

TEST_F(Reconcile, SynchIdZeroTakesTheFirstSectionWithParametersButNoSynchId) {
  WriteProject(HardwareConfig() + "[SLOT15]\nMODULE_ID=0x5881\n");
  Load();
  StoreSections({{2, nullptr, "legacy"}});
  EXPECT_EQ(FindSectionBySynchId(context_, 0), "SLOT10");  // the plain look-up takes the empty SLOT10
  ReconcileParameterFile(context_);
  EXPECT_EQ(Stored(5, "DE"), "legacy");  // reconciliation never moves an empty section
  EXPECT_TRUE(Keys(2).empty());
}

TEST_F(Reconcile, ModulesThatSwappedSlotsKeepTheirParameters) {
  WriteProject(HardwareConfig() + ModuleSlot(2, 1) + ModuleSlot(7, 2));
  Load();
  StoreSections({{2, "2", "B"}, {7, "1", "A"}});
  ReconcileParameterFile(context_);
  EXPECT_EQ(Stored(2, "DE"), "A");
  EXPECT_EQ(Stored(2, "SYNCH_ID"), "1");
  EXPECT_EQ(Stored(7, "DE"), "B");
  EXPECT_EQ(FileText().find("QX_MOVING"), std::string::npos);
}

TEST_F(Reconcile, AModuleKeepsItsOwnSectionBeforeAnEarlierDuplicate) {
  WriteProject(HardwareConfig() + ModuleSlot(2, 3));
  Load();
  StoreSections({{0, "3", "Y"}, {2, "3", "X"}});
  ReconcileParameterFile(context_);
  EXPECT_EQ(Stored(2, "DE"), "X");
  EXPECT_TRUE(Keys(0).empty());  // slot 0 holds no module of this type
}

TEST_F(Reconcile, WithoutRackOneOnlyMissingSectionsAreCreated) {
  WriteProject(HardwareConfig("") + ModuleSlot(2, 1) + ModuleSlot(7, 2) + ModuleSlot(9, 4));
  Load();
  StoreSections({{2, "99", "kept"}, {3, "3", "unlisted"}, {9, "4", "own"}});
  ReconcileParameterFile(context_);
  EXPECT_EQ(Stored(2, "DE"), "kept");
  EXPECT_EQ(Stored(2, "SYNCH_ID"), "99");
  EXPECT_EQ(Stored(3, "DE"), "unlisted");
  EXPECT_EQ(Stored(9, "DE"), "own");
  EXPECT_EQ(Stored(7, "SYNCH_ID"), "2");
  EXPECT_EQ(Stored(7, "DE"), "0,0,0,4f70");
}

TEST_F(Reconcile, RackTypeLimitsTheSlotsExamined) {
  WriteProject(HardwareConfig("KR-B8", "1") + ModuleSlot(9, 4));
  Load();
  StoreSections({});
  ReconcileParameterFile(context_);
  EXPECT_TRUE(Keys(9).empty());
}

// Counts the saves of one file in a folder through inotify: each save ends
// in a rename over the file (or a write of it).
class SaveCounter {
 public:
  SaveCounter(const std::string& folder, std::string name) : name_(std::move(name)) {
    fd_ = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~SaveCounter() { close(fd_); }
  int Count() {
    int saves = 0;
    alignas(inotify_event) char buffer[64 * 1024];
    ssize_t n;
    while ((n = read(fd_, buffer, sizeof buffer)) > 0) {
      for (char* p = buffer; p < buffer + n;) {
        auto* e = reinterpret_cast<inotify_event*>(p);
        if (e->len > 0 && name_ == e->name) ++saves;
        p += sizeof(inotify_event) + e->len;
      }
    }
    return saves;
  }

 private:
  std::string name_;
  int fd_;
};

TEST_F(Reconcile, TwelveModulesAreSavedOnce) {
  std::string project = HardwareConfig();
  for (int i = 0; i < 12; ++i) project += ModuleSlot(i, 100 + i);
  WriteProject(project);
  Load();
  StoreSections({{0, "111", "moves"}});
  SaveCounter saves(folder_, "line1.qx1");
  ReconcileParameterFile(context_);
  EXPECT_EQ(saves.Count(), 1);
  EXPECT_EQ(Stored(11, "DE"), "moves");
  EXPECT_EQ(Stored(0, "SYNCH_ID"), "100");
}

TEST_F(Reconcile, SectionOperations) {
  WriteProject(HardwareConfig());
  Load();
  StoreSections({{3, "7", "A"}});
  MoveModuleSection(context_, 1, 3, 1, 3);  // onto itself: nothing
  EXPECT_EQ(Stored(3, "DE"), "A");
  MoveModuleSection(context_, 1, 4, 1, 3);  // empty source header: copied as it is
  EXPECT_TRUE(Keys(3).empty());
  StoreSections({{3, "7", "A"}});
  MoveModuleSection(context_, 1, 3, 1, 5);
  EXPECT_EQ(Stored(5, "DE"), "A");
  EXPECT_TRUE(Keys(3).empty());
  ClearModuleSection(context_, 1, 5);
  EXPECT_TRUE(Keys(5).empty());
  EXPECT_TRUE(parameters_.IsSectionExist("SLOT15"));
}

}  // namespace
}  // namespace qx
