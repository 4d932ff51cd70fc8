// PlaceholderPage: stands in for a page of the configurator window that is
// not built yet. It shows nothing, loads and stores nothing, and always
// validates.
#pragma once

#include <QWidget>

#include "ui/ConfigPage.h"

namespace qx {

class PlaceholderPage : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  explicit PlaceholderPage(QWidget* parent = nullptr) : QWidget(parent) {}
  void LoadFromRecord() override {}
  bool ValidateAndStore() override { return true; }
};

}  // namespace qx
