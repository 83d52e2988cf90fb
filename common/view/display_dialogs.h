// The display-settings dialogs of the text windows: the tab width of one window, and the
// standard window size that every window's shrink command returns to.
#pragma once

#include <QDialog>
#include <QSize>

namespace common::view {

class LimitedSpinBox;

inline constexpr int kMaxTabWidth = 64;  // characters

class TabWidthDialog : public QDialog {
  Q_OBJECT

 public:
  TabWidthDialog(int tab_width, QWidget* parent = nullptr);
  int TabWidth() const;

 private:
  LimitedSpinBox* width_;
};

class StandardSizeDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits `standard` and shows, for comparison, the size of the window asking and of its screen.
  StandardSizeDialog(QSize standard, QSize window, QSize monitor, QWidget* parent = nullptr);
  QSize StandardSize() const;

 private:
  LimitedSpinBox* height_;
  LimitedSpinBox* width_;
};

}  // namespace common::view
