// The data-exchange table as a comma-separated file: the header row, item
// rows in readable words that read back into the same items, and a bad row
// that is named by row, column and reason while the table stays as it was.
#include <gtest/gtest.h>

#include "dataexch/ItemCsv.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "tests/support/TestSupport.h"

namespace qx {
namespace {

using test::ReadFile;
using test::WriteFile;

class ItemCsvTest : public test::TempFolderTest {
 protected:
  ItemCsvTest() {
    config.SetDefaults();
    limits.ReadAreaMax = limits.WriteAreaMax = 511;
  }

  // Stores an item through a row, as the import does.
  void Row(int n, const std::string& row) {
    ASSERT_FALSE(ParseItemRow(row, n, table, limits, bases, config, n).has_value()) << row;
    config.SetItemCount(static_cast<uint16_t>(std::max<int>(config.ItemCount(), n)));
  }
  const CDeviceAddrTable table;
  ItemLimits limits;
  AreaBases bases{4096, 4608};
  ModuleConfig config;
  CProfileFile noTexts;
  CTextTable texts{noTexts};
};

TEST_F(ItemCsvTest, ExportWritesTheHeaderAndOneReadableRowPerItem) {
  // Each row is stored as an item and written back as it was read.
  const std::string rows[] = {
      ",1,1,192.168.1.20,100,500,0,MODBUS TCP,D4096,1F (MODBUS Register Hex),10,D4608,400001 (MODBUS 6 "
      "Digit),2",
      ",0,255,10.0.0.1,60000,10,1,CPU Model C,D4200,D100.15 (D Coil),1,D4700,E31 (E Register),1",
      ",1,0,0.0.0.0,1,60000,0,CPU Model A,D4106,X377 (X),1,D4610,Y17 (Y),2"};
  for (int n = 1; n <= 3; ++n) Row(n, rows[n - 1]);
  const std::string path = PathOf("table.csv");
  ASSERT_TRUE(WriteCsvFile(path, config, 0x110, texts, bases));
  EXPECT_EQ(
      ReadFile(path),
      "[SLOT00]\r\nMODULE_NAME=KM31QX-2C\r\nMODULE_ID=0x5881\r\nFWVER=110\r\n"
      "Item=,Enable,Slave Address,IP Address,Update Cycle,Timeout,Support Function Code 0x17,Device Type,"
      "Input Local Address,Input Remote Address,Input Quantity,Output Local Address,Output Remote Address,"
      "Output Quantity\r\nDE_ITEM1=" +
          rows[0] + "\r\nDE_ITEM2=" + rows[1] + "\r\nDE_ITEM3=" + rows[2] + "\r\n");
  // Read back into a fresh table: the same items, with what the editor stores
  // for them (tests/dataexch/item_editor_test.cpp).
  ModuleConfig fresh;
  fresh.SetDefaults();
  ASSERT_FALSE(ReadCsvFile(path, table, limits, bases, fresh).has_value());
  EXPECT_TRUE(fresh == config);
  // Items beyond the count are not written, and reading resets the items past its rows.
  config.SetItemCount(2);
  ASSERT_TRUE(WriteCsvFile(path, config, 0x110, texts, bases));
  EXPECT_EQ(ReadFile(path).find("DE_ITEM3"), std::string::npos);
  config.SetItemCount(3);
  ASSERT_FALSE(ReadCsvFile(path, table, limits, bases, config).has_value());
  EXPECT_EQ(std::tuple(config.ItemCount(), config.Item(3).UpdateCycle()), std::tuple(2, 10));
}

// row with value in its column (1 is Enable, 13 the output quantity).
std::string With(std::string row, int column, const std::string& value) {
  std::size_t at = 0;
  for (int i = 0; i < column; ++i) at = row.find(',', at) + 1;
  return row.replace(at, row.find(',', at) - at, value);
}

TEST_F(ItemCsvTest, ABadRowIsNamedAndTheTableStaysAsItWas) {
  const std::string good =
      ",1,1,192.168.1.20,100,500,0,MODBUS TCP,D4096,1F (MODBUS Register Hex),10,D4608,0 (MODBUS Coil Hex),2";
  const std::string cpu = With(With(With(good, 7, "CPU Model A"), 9, "X18 (X)"), 12, "Y0 (Y)");
  using P = CsvProblem;
  // row 2, the column and problem reported, the editor's message
  const std::tuple<std::string, int, CsvProblem, const char*> cases[] = {
      {good.substr(0, good.find(",1F")), 0, P::kFieldCount, ""},
      {good.substr(1), 0, P::kFieldCount, ""},
      {With(good, 1, "yes"), 1, P::kNotFlag, ""},
      {With(good, 2, "x"), 2, P::kNotNumber, ""},
      {With(good, 3, "192.168.1.256"), 3, P::kBadIp, ""},
      {With(good, 7, "PLC"), 7, P::kDeviceType, ""},
      {With(good, 8, "D4095"), 8, P::kLocalAddress, ""},
      {With(good, 9, "1F"), 9, P::kKind, ""},
      {With(good, 12, "0 (MODBUS Input Coil Hex)"), 12, P::kKind, ""},
      {cpu, 9, P::kRemoteAddress, ""},
      {With(good, 9, "1G (MODBUS Register Hex)"), 9, P::kRemoteAddress, ""},
      {With(good, 2, "256"), 2, P::kRejected, "Msg4"},
      {With(good, 10, "101"), 10, P::kRejected, "Msg12"},
      {With(good, 8, "D4600"), 8, P::kRejected, "Msg36"},
  };
  const std::string path = PathOf("bad.csv");
  config.Item(1).SetSlaveAddress(99);
  config.SetItemCount(1);
  const ModuleConfig before = config;
  for (const auto& [row, column, problem, message] : cases) {
    SCOPED_TRACE(row);
    WriteFile(path, "[SLOT00]\r\nMODULE_ID=0x5881\r\nDE_ITEM1=" + good + "\r\nDE_ITEM2=" + row + "\r\n");
    const auto error = ReadCsvFile(path, table, limits, bases, config);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(std::tuple(error->row, error->column, error->problem, error->message.key),
              std::tuple(2, column, problem, std::string(message)));
    EXPECT_TRUE(config == before);
  }
  WriteFile(path, "[SLOT00]\r\nMODULE_ID=0x1234\r\nDE_ITEM1=" + good + "\r\n");
  EXPECT_EQ(ReadCsvFile(path, table, limits, bases, config)->problem, CsvProblem::kNotThisModule);
  WriteFile(path, "[SLOT00]\r\nMODULE_ID=0x5881\r\n");
  EXPECT_EQ(ReadCsvFile(path, table, limits, bases, config)->problem, CsvProblem::kNoRows);
  EXPECT_TRUE(config == before);
}

}  // namespace
}  // namespace qx
