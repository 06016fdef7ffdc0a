// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QTranslator>

namespace ui {

// The program's own texts and Qt's (edit menus, the file dialog, the standard buttons) in
// the operator's language. The texts that the system gives in Japanese (the window menu,
// the file filters, the about box) stay as they are in every language.
class Translations {
  public:
    Translations();
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Installs the translations for locale in the application, in place of earlier ones;
    // a language without translations keeps the English texts. True when ours were found.
    bool install(const QLocale& locale);

  private:
    void remove();

    QTranslator qtTexts;
    QTranslator ownTexts;
};

}  // namespace ui
