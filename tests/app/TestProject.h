// Helpers of the application-layer tests: project sections, and a
// ProjectContext over fresh profile files in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "config/ModuleConfig.h"
#include "config/HostProject.h"
#include "platform/ProfileFile.h"
#include "tests/support/TestSupport.h"

namespace qx::test {

// The project section of one module of this type.
inline std::string ModuleSlot(int slot, int synchId, const std::string& fw = "110") {
  return "[SLOT1" + std::to_string(slot) + "]\nMODULE_ID=0x5881\nSYNCH_ID=" + std::to_string(synchId) +
         "\nFWVER=" + fw + "\n";
}

inline std::string HardwareConfig(const std::string& rackId1 = "KR-B12", const std::string& rackId2 = "0") {
  return "[HW_CFG]\nRACK_ID1=" + rackId1 + "\nRACK_ID2=" + rackId2 + "\n";
}

// A scratch folder, the project base path <folder>/line1, and a context over
// unbound profile files with the record at its defaults.
class ProjectFixture : public ::testing::Test {
 protected:
  ProjectFixture() { record_.SetDefaults(); }

  void WriteProject(const std::string& text) { WriteFile(base_ + ".ini", text); }
  // Loads the project and binds the parameter file to its path.
  void Load() {
    ASSERT_TRUE(LoadTargetSettings(context_, base_));
    parameters_.SetPathName(parameterPath_.c_str());
  }
  std::string Stored(int slot, const char* key) {
    return parameters_.GetString(("SLOT1" + std::to_string(slot)).c_str(), key, "");
  }

  TempFolder temp_;
  std::string folder_ = temp_.path().string();
  std::string base_ = folder_ + "/line1";
  CProfileFile project_, parameters_;
  ModuleConfig record_;
  SessionFields session_;
  std::string projectPath_, parameterPath_;
  ProjectContext context_{project_, parameters_, record_, session_, projectPath_, parameterPath_};
};

}  // namespace qx::test
