// The studio's own texts in the user's language. The dialogs the engine shows
// keep their Chinese captions whatever the language; only the program around
// them is translated.
#pragma once

#include <QLocale>

namespace qzdbs::ui::qt {

// Installs the studio's translation for `locale` on the running application,
// replacing one installed before. Texts stay English when the locale has no
// translation; false then.
bool InstallStudioTranslation(const QLocale& locale);

}  // namespace qzdbs::ui::qt
