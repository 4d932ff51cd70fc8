// Refilling the Data Exchange page's list with 64 items (128 rows), as it
// happens after every edit of the table, against building the same 128 rows
// of texts and colours into a bare QTableWidget (no delegate, no check
// boxes, icons or tooltips). The page should stay within 1.5 times the bare
// table and under 20 ms. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <cstdlib>

#include "comm/XferKit.h"
#include "config/ModuleConfig.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CDataExchDlg.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"

namespace {

// 64 items over the four device types, some overlapping.
qx::ModuleConfig FullTable() {
  qx::ModuleConfig config;
  config.SetDefaults();
  for (int n = 1; n <= 64; ++n) {
    auto item = config.Item(n);
    item.SetEnabled(n % 3 ? 2 : 0);
    item.SetSlaveAddress(static_cast<uint16_t>(n));
    item.SetIpAddress(0xC0A80100u + static_cast<uint32_t>(n));
    item.SetDeviceType(static_cast<uint16_t>(n % 4));
    item.ReadBlock().SetLocalOffset(static_cast<uint16_t>(n * 7));
    item.ReadBlock().SetQuantity(10);
    item.ReadBlock().SetRemoteKind(n % 4 == 3 ? 8 : n % 4 == 0 ? 2 : 8);
    item.ReadBlock().SetRemoteAddress(static_cast<uint32_t>(100 + n));
    item.WriteBlock().SetLocalOffset(static_cast<uint16_t>(n * 5));
    item.WriteBlock().SetQuantity(4);
    item.WriteBlock().SetRemoteKind(n % 4 == 0 ? 0 : 7);
    item.WriteBlock().SetRemoteAddress(static_cast<uint32_t>(n));
  }
  config.SetItemCount(64);
  return config;
}

struct Session {
  qx::ModuleConfig record = FullTable();
  qx::SessionFields session;
  qx::CProfileFile parameterFile;
  qx::CProfileFile textFile;
  qx::CTextTable texts{textFile};
  qx::CXferKit link;
  qx::HeadlessUi ui;
  qx::ConfiguratorContext context{record, session, parameterFile, texts, link, ui, "", "", "", {}, {}, nullptr};
};

void BM_PageRefillList(benchmark::State& state) {
  Session s;
  qx::CDataExchDlg page(s.context);
  page.resize(760, 400);
  for (auto _ : state) {
    page.RefillList();
    benchmark::DoNotOptimize(page.List()->rowCount());
  }
}
BENCHMARK(BM_PageRefillList)->Unit(benchmark::kMillisecond);

// The same rows the page shows, as plain texts and colours.
void BM_BareTableWidget(benchmark::State& state) {
  Session s;
  qx::CDataExchDlg page(s.context);
  QStringList cells;
  for (int row = 0; row < 128; ++row) {
    for (int col = 0; col < 8; ++col) cells << page.List()->item(row, col)->text();
  }
  QTableWidget table(0, 8);
  table.resize(760, 400);
  for (auto _ : state) {
    table.setUpdatesEnabled(false);
    table.setRowCount(0);
    for (int row = 0; row < 128; ++row) {
      table.insertRow(row);
      const QBrush back(row / 2 % 2 ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xDE, 0xEE, 0xFE));
      for (int col = 0; col < 8; ++col) {
        auto* cell = new QTableWidgetItem(cells[row * 8 + col]);
        cell->setTextAlignment(Qt::AlignCenter);
        cell->setBackground(back);
        table.setItem(row, col, cell);
      }
    }
    table.setUpdatesEnabled(true);
    benchmark::DoNotOptimize(table.rowCount());
  }
}
BENCHMARK(BM_BareTableWidget)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
