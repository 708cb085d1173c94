// Loading the studio's compiled translations from the program's resources.
#include "ui/qt/studio/Translation.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

namespace qzdbs::ui::qt {

bool InstallStudioTranslation(const QLocale& locale) {
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  // Owned by the application; kept here only to take it out again.
  static QPointer<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  auto* translator = new QTranslator(app);
  if (!translator->load(locale, "qzdbs-studio", "_", ":/i18n")) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace qzdbs::ui::qt
