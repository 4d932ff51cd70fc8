// Shared by the data-exchange page and Item Edit dialog tests: a session with
// a hardware file for rack 1 slot 3, a record filled with items, and clicks
// on list rows and boxes.
#pragma once

#include <QHeaderView>
#include <QTest>

#include "tests/ui/UiTestSupport.h"
#include "ui/CXListCtrl.h"

namespace qx::test {

class DataExchTest : public SessionTest {
 protected:
  DataExchTest() {
    // Rack 1, slot index 3: section "14". Areas of 0x200 registers: maxima 511.
    WriteHardware("0x1000", "0x200", "0x1200", "0x200");
    context.projectBasePath = Path("project");
    context.moduleDirectory = Path("");
    context.readLenMax = 511;
    context.writeLenMax = 511;
  }

  void WriteHardware(const std::string& readBase, const std::string& readSize, const std::string& writeBase,
                     const std::string& writeSize) {
    WriteFile(Path("project.hw"), "[14]\r\nParam53=" + readBase + ",H\r\nParam54=" + readSize +
                                      ",H\r\nParam55=" + writeBase + ",H\r\nParam56=" + writeSize + ",H\r\n");
  }

  // Items 1..count on MODBUS TCP, register kind, slave address n, read
  // offsets 0, 10, 20 ... and write offsets 0, 5, 10 ... of quantity 5.
  void Fill(int count) {
    for (int n = 1; n <= count; ++n) {
      record.ResetItem(n);
      auto item = record.Item(n);
      item.SetSlaveAddress(static_cast<uint16_t>(n));
      item.SetDeviceType(0);
      item.ReadBlock().SetLocalOffset(static_cast<uint16_t>((n - 1) * 10));
      item.ReadBlock().SetQuantity(5);
      item.ReadBlock().SetRemoteKind(2);
      item.ReadBlock().SetRemoteAddress(static_cast<uint32_t>(n));
      item.WriteBlock().SetLocalOffset(static_cast<uint16_t>((n - 1) * 5));
      item.WriteBlock().SetQuantity(5);
      item.WriteBlock().SetRemoteKind(0);
    }
    record.SetItemCount(static_cast<uint16_t>(count));
  }

  std::vector<int> Slaves() const {
    std::vector<int> slaves;
    for (int n = 1; n <= record.ItemCount(); ++n) slaves.push_back(record.Item(n).SlaveAddress());
    return slaves;
  }
};

inline void ClickHeaderBox(CXListCtrl* list, int col) {
  QHeaderView* header = list->horizontalHeader();
  const QRect section(header->sectionViewportPosition(col), 0, header->sectionSize(col), header->height());
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    CXListDelegate::CheckRect(section, true, header).center());
}

inline std::vector<int> SelectedRows(CXListCtrl* list) {
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace qx::test
