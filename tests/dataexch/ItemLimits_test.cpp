// Where the item editor's limits come from: the host's length limits, the
// module description file and the hardware file (fixtures in
// tests/data/dataexch: the description's limits are 999 and 1999, rack 1
// slot 0 has areas of 100 and 0x12 registers based at 500).
#include "dataexch/ItemLimits.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

const std::string kData = std::string(QX_TEST_DATA) + "/dataexch/";

TEST(ItemLimits, ValueFieldsAndNames) {
  EXPECT_EQ(
      std::tuple(LimitFromDescription("1,2,3,4"), AreaMaxFromHardware("FFFFFFFF"), HardwareSection(1, 11)),
      std::tuple(-1, 2147483647, "112"));
  EXPECT_EQ(ModuleDescriptionPath("/d/Module"), "/d/Module/KM31QX-2C.mds");
  EXPECT_EQ(ModuleDescriptionPath("/d/Module/"), "/d/Module/KM31QX-2C.mds");
}

TEST(ItemLimits, LoadedFromTheFiles) {
  struct Case {
    const char* what;
    LimitSources sources;
    ItemLimits expected;
  };
  const std::string base = kData + "project";
  const std::string modules = kData + "Module/";
  const Case cases[] = {
      {"description", {base, modules, 1, 0, {}, {}}, {999, 1999, 99, 17}},
      {"one host limit", {base, modules, 1, 0, 5, {}}, {999, 1999, 99, 17}},
      {"host limits", {base, modules, 1, 0, 100, 200}, {100, 200, 99, 17}},
      {"no section", {base, modules, 1, 1, {}, {}}, {999, 1999, -1, -1}},
      {"no description", {base, kData + "none/", 1, 0, {}, {}}, {-1, -1, 99, 17}},
      {"shipped description",
       {base, std::string(QX_SOURCE_DIR) + "/res/QXCONFIG/Module/", 1, 0, {}, {}},
       {4095, 4095, 99, 17}},
      {"no project", {"", modules, 1, 0, 100, 200}, {kNoLimit, kNoLimit, 0, 0}},
  };
  for (const Case& c : cases) {
    const ItemLimits l = LoadItemLimits(c.sources);
    EXPECT_EQ(l.ReadLimit, c.expected.ReadLimit) << c.what;
    EXPECT_EQ(l.WriteLimit, c.expected.WriteLimit) << c.what;
    EXPECT_EQ(l.ReadAreaMax, c.expected.ReadAreaMax) << c.what;
    EXPECT_EQ(l.WriteAreaMax, c.expected.WriteAreaMax) << c.what;
  }
}

TEST(ItemLimits, AreaBases) {
  const AreaBases b = LoadAreaBases(kData + "project", 1, 0);
  EXPECT_EQ(b.ReadBaseRegister, 500u);
  EXPECT_EQ(b.WriteBaseRegister, 500u);
  EXPECT_EQ(LoadAreaBases(kData + "project", 1, 2).ReadBaseRegister, 0u);  // "zz"
  EXPECT_EQ(LoadAreaBases("", 1, 0).WriteBaseRegister, 0u);
}

}  // namespace
}  // namespace qx
