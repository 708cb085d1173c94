// Loading the studio's compiled translations from the program's resources.
#include "ui/qt/studio/Translation.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

namespace qzdbs::ui::qt {

namespace {
// The installed translator is a child of the application under this name, so
// the next call finds it without any state of its own.
constexpr const char* kTranslatorName = "qzdbsStudioTranslator";
}  // namespace

bool InstallStudioTranslation(const QLocale& locale) {
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  if (auto* installed = app->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, "qzdbs-studio", "_", ":/i18n")) return false;
  translator->setObjectName(kTranslatorName);
  translator->setParent(app);  // owned by the application from here
  QCoreApplication::installTranslator(translator.release());
  return true;
}

}  // namespace qzdbs::ui::qt
