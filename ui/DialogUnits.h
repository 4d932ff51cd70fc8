// Dialog units: window sizes are given in dialog units (a quarter of the
// font's average character width across, an eighth of its height down), so
// they scale with the font, Chinese fonts included.
#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QWidget>

namespace qx {

inline int DluX(const QWidget* w, int units) {
  return units * QFontMetrics(w->font()).averageCharWidth() / 4;
}

inline int DluY(const QWidget* w, int units) {
  return units * QFontMetrics(w->font()).height() / 8;
}

inline QSize DluSize(const QWidget* w, int width, int height) {
  return {DluX(w, width), DluY(w, height)};
}

}  // namespace qx
