// qzdbs-studio: the desktop program that plays the CAD host for the engine.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "ui/qt/QtMessageService.h"
#include "ui/qt/studio/StudioWindow.h"
#include "ui/qt/studio/Translation.h"

#ifndef QZDBS_SAMPLE_LIBRARY
#define QZDBS_SAMPLE_LIBRARY ""
#endif

namespace {

// Where `make install` puts the sample library beside the program
// (PREFIX/bin/qzdbs-studio, PREFIX/share/qzdbs), then where the build left it.
QString SampleLibrary() {
  const QDir program(QCoreApplication::applicationDirPath());
  for (const QString& candidate :
       {program.filePath("../share/qzdbs/metric-parts.qzlib"),
        program.filePath("metric-parts.qzlib"), QString::fromUtf8(QZDBS_SAMPLE_LIBRARY)})
    if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
      return QFileInfo(candidate).canonicalFilePath();
  return {};
}

}  // namespace

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
  if (libraries.isEmpty()) {
    if (const QString sample = SampleLibrary(); !sample.isEmpty()) libraries.append(sample);
  }
  for (const auto& library : libraries)
    window.AddLibrary(QFileInfo(library).absoluteFilePath());
  window.show();
  return app.exec();
}
