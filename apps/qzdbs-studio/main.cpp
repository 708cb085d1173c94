// qzdbs-studio: the desktop program that plays the CAD host for the engine.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "ui/qt/QtMessageService.h"
#include "ui/qt/studio/StudioWindow.h"
#include "ui/qt/studio/Translation.h"

#ifndef QZDBS_SAMPLE_LIBRARY
#define QZDBS_SAMPLE_LIBRARY ""
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("qzdbs-studio");
  QApplication::setOrganizationName("qzdbs");
  qzdbs::ui::qt::InstallStudioTranslation(QLocale::system());
  QCommandLineParser parser;
  parser.setApplicationDescription(QCoreApplication::translate(
      "main", "Inserts standard parts from part libraries into a drawing."));
  parser.addHelpOption();
  parser.addPositionalArgument(
      "libraries", QCoreApplication::translate(
                       "main", "Part libraries to open (the sample library when none)."));
  parser.process(app);

  qzdbs::ui::qt::InstallQtServices();
  qzdbs::ui::qt::StudioWindow window;
  QStringList libraries = parser.positionalArguments();
  if (libraries.isEmpty() && QFileInfo::exists(QZDBS_SAMPLE_LIBRARY))
    libraries.append(QZDBS_SAMPLE_LIBRARY);
  for (const auto& library : libraries)
    window.AddLibrary(QFileInfo(library).absoluteFilePath());
  window.show();
  return app.exec();
}
