// The part selection dialog on screen: the catalogue tree in a side panel
// with a search box, the parameter grid, the view list with check boxes, the
// preview, the output options and the command buttons, all shown from the
// selection model and handing the user's actions to it.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <memory>
#include <string>

#include "db/find/PartFinder.h"
#include "ui/SubDialogs.h"
#include "ui/frmPartSel.h"
#include "ui/qt/GridView.h"
#include "ui/qt/LivePreview.h"

namespace qzdbs::ui::qt {

class PartSelWindow : public QDialog {
  Q_OBJECT

 public:
  // `previewPath` is where the engine writes preview pictures.
  PartSelWindow(std::shared_ptr<const Catalogue> catalogue, SubDialogs& dialogs,
                std::string previewPath, QWidget* parent = nullptr);
  ~PartSelWindow() override;

  frmPartSel& Model() { return *model_; }

  // Whether a part without a stored picture shows its drawing instead.
  void SetLivePreview(bool on);

  // Shows the parts whose name holds `text` (case-insensitive) or that the
  // part search finds for it (standard numbers, sizes, designations), with
  // the folders that lead to them. A found part, when chosen, opens at the
  // row found, with the values to type typed.
  void FilterTree(const QString& text);

  // Chooses the part and the value row chosen last, in this or an earlier
  // run, when the catalogue still has them. The choice is remembered as it
  // is made.
  void RestoreLastChoice();

  // Where the live preview writes the block files of the parts it draws.
  std::string PreviewBlockFolder() const { return preview_.BlockFolder(); }

 public slots:
  void reject() override;

 private:
  void BuildTree();
  QWidget* BuildTreePanel();
  QWidget* BuildViewArea();
  QWidget* BuildButtons();
  void OnChange(frmPartSel::Change change);
  void RefreshViews();
  void RefreshButtons();
  void RefreshOptions();
  void RefreshPicture();
  void ShowLivePreview();
  void ChooseTreeItem(QTreeWidgetItem* item, bool hidePanel);
  void RememberChoice();

  std::shared_ptr<const Catalogue> catalogue_;
  std::unique_ptr<frmPartSel> model_;
  size_t connection_ = 0;
  size_t viewConnection_ = 0;
  size_t gridConnection_ = 0;

  std::unique_ptr<find::PartFinder> finder_;
  std::vector<find::Hit> hits_;
  QWidget* treePanel_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QLineEdit* search_ = nullptr;
  QToolButton* autoHide_ = nullptr;
  GridView* grid_ = nullptr;
  QListWidget* views_ = nullptr;
  QLabel* picture_ = nullptr;
  std::array<QCheckBox*, frmPartSel::kOptionCount> options_{};
  std::array<QPushButton*, frmPartSel::kButtonCount> buttons_{};
  bool syncing_ = false;
  bool closing_ = false;
  bool livePreview_ = true;
  LivePreview preview_;
};

}  // namespace qzdbs::ui::qt
