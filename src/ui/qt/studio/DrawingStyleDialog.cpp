// The drawing style dialog.
#include "ui/qt/studio/DrawingStyleDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <exception>

namespace qzdbs::ui::qt {

namespace {
// The two widths a GB/T 14665 drawing uses; the thin line is half.
constexpr double kThickWidths[] = {0.5, 0.7};
}  // namespace

DrawingStyleDialog::DrawingStyleDialog(const DrawingStyleSettings& style, QWidget* parent)
    : QDialog(parent) {
  setObjectName("drawingStyle");
  setWindowTitle(tr("Drawing style"));
  auto* form = new QFormLayout(this);

  auto* file = new QWidget(this);
  auto* fileRow = new QHBoxLayout(file);
  fileRow->setContentsMargins(0, 0, 0, 0);
  layerStyles_ = new QLineEdit(style.layerStyles, file);
  layerStyles_->setObjectName("layerStyles");
  layerStyles_->setPlaceholderText(tr("built-in (GB/T 14665)"));
  auto* browse = new QPushButton(tr("Browse..."), file);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen =
        QFileDialog::getOpenFileName(this, tr("Layer style table"), layerStyles_->text());
    if (!chosen.isEmpty()) layerStyles_->setText(chosen);
  });
  fileRow->addWidget(layerStyles_);
  fileRow->addWidget(browse);
  form->addRow(tr("Layer styles"), file);

  thickLines_ = new QComboBox(this);
  thickLines_->setObjectName("thickLines");
  for (double width : kThickWidths) {
    thickLines_->addItem(tr("%1 mm").arg(width), width);
    if (width == style.thickLines) thickLines_->setCurrentIndex(thickLines_->count() - 1);
  }
  form->addRow(tr("Thick lines"), thickLines_);

  thirdAngle_ = new QCheckBox(tr("Third-angle projection (first angle when off)"), this);
  thirdAngle_->setObjectName("thirdAngle");
  thirdAngle_->setChecked(style.thirdAngle);
  form->addRow(thirdAngle_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

DrawingStyleSettings DrawingStyleDialog::Style() const {
  DrawingStyleSettings style;
  style.layerStyles = layerStyles_->text().trimmed();
  style.thickLines = thickLines_->currentData().toDouble();
  style.thirdAngle = thirdAngle_->isChecked();
  return style;
}

void DrawingStyleDialog::accept() {
  try {
    BuildOptionsOf(Style());
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(failure.what()));
    return;
  }
  SaveDrawingStyle(Style());
  QDialog::accept();
}

}  // namespace qzdbs::ui::qt
