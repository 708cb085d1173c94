// The studio's drawing style settings: the layer style table, the thick
// line width and the projection, checked before they are kept.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "ui/qt/DrawingStyleSettings.h"

namespace qzdbs::ui::qt {

class DrawingStyleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DrawingStyleDialog(const DrawingStyleSettings& style, QWidget* parent = nullptr);

  DrawingStyleSettings Style() const;

  // Keeps the style when its layer style table can be read; else says why
  // and stays open.
  void accept() override;

 private:
  QLineEdit* layerStyles_ = nullptr;
  QComboBox* thickLines_ = nullptr;
  QCheckBox* thirdAngle_ = nullptr;
};

}  // namespace qzdbs::ui::qt
