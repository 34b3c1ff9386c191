#pragma once

#include <QString>

class QLocale;
class QWidget;

namespace rotaplan {

// The program's own texts and Qt's dialogs in the language of the locale, where a
// translation exists; English otherwise. Stays in effect until the program ends.
void InstallTranslations(const QLocale& locale);

// A form's fixed texts, captions, tooltips, tabs and menus in the installed language. What the
// files hold (names, SA numbers, dates) has no translation and is shown as it is.
void TranslateTexts(QWidget* form);

} // namespace rotaplan
