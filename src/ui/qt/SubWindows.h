// The dialogs the selection dialog opens, on screen: the structure
// parameters with their editable value row, the two column display choosers
// and the part's properties. Each shows its model and closes when the model
// does.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QTableWidget>

#include "ui/SubDialogs.h"
#include "ui/frmAttribute.h"
#include "ui/frmColumnShow.h"
#include "ui/frmStructPara.h"
#include "ui/qt/GridView.h"

namespace qzdbs::ui::qt {

// Closes the window when the model says it has closed, and lets the window's
// own close go through the model first.
class ModelWindow : public QDialog {
  Q_OBJECT

 public:
  ModelWindow(std::function<bool()> loaded, std::function<void()> close, QWidget* parent);
  void ModelClosed();

 public slots:
  void reject() override;

 private:
  std::function<bool()> loaded_;
  std::function<void()> close_;
  bool closing_ = false;
};

class StructParaWindow : public ModelWindow {
  Q_OBJECT

 public:
  StructParaWindow(frmStructPara& model, QWidget* parent);
  ~StructParaWindow() override;

 private:
  frmStructPara& model_;
  GridView* grid_;
  size_t connection_ = 0;
};

class ColumnShowWindow : public ModelWindow {
  Q_OBJECT

 public:
  ColumnShowWindow(frmColumnShow& model, const char* objectName, QWidget* parent);
  ~ColumnShowWindow() override;

 private:
  void Refresh();

  frmColumnShow& model_;
  QListWidget* list_;
  size_t connection_ = 0;
  size_t listConnection_ = 0;
  bool syncing_ = false;
};

class AttributeWindow : public ModelWindow {
  Q_OBJECT

 public:
  AttributeWindow(frmAttribute& model, QWidget* parent);
  ~AttributeWindow() override;

 private:
  frmAttribute& model_;
  size_t connection_ = 0;
};

// Shows each dialog modally over `owner`.
class QtSubDialogs : public SubDialogs {
 public:
  explicit QtSubDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void Show(frmStructPara& dialog) override;
  void Show(frmAttribute& dialog) override;
  void Show(frmParaShow& dialog) override;
  void Show(frmStructShow& dialog) override;

 private:
  QWidget* owner_;
};

}  // namespace qzdbs::ui::qt
