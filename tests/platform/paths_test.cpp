// Where an installed library or program finds the data folder without
// QX_COMMON_APPDATA: the share folder of the install tree it was loaded from.
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace qx {
namespace {

TEST(InstalledShareFolder, FollowsTheInstallTreeOfTheLoadedFile) {
  const std::string plugins = std::string("/") + QX_INSTALL_PLUGINDIR;
  const std::string programs = std::string("/") + QX_INSTALL_BINDIR;
  const std::string share = std::string("/") + QX_INSTALL_DATADIR;
  const std::pair<std::string, std::string> cases[] = {
      {"/usr" + plugins + "/libqx31.so", "/usr" + share},
      {"/tmp/pkg root/usr" + plugins + "/libqx31.so", "/tmp/pkg root/usr" + share},  // a DESTDIR
      {"/opt/qx" + programs + "/qxhost", "/opt/qx" + share},
      {"/work/build/libqx31.so", ""},  // the build tree
      {plugins + "/libqx31.so", ""},   // no prefix above the layout
      {"libqx31.so", ""},
      {"", ""}};
  for (const auto& [loadedFrom, expected] : cases)
    EXPECT_EQ(InstalledShareFolder(loadedFrom), expected) << loadedFrom;
}

}  // namespace
}  // namespace qx
