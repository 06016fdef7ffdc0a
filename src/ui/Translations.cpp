// SPDX-License-Identifier: MIT
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

// The compiled translations live in the ui library's resources, which a static library
// must load itself.
static void loadTranslationResources() {
    Q_INIT_RESOURCE(veskar_ui_translations);
}

namespace ui {

Translations::Translations() {
    loadTranslationResources();
}

Translations::~Translations() {
    remove();
}

void Translations::remove() {
    QCoreApplication::removeTranslator(&ownTexts);
    QCoreApplication::removeTranslator(&qtTexts);
}

bool Translations::install(const QLocale& locale) {
    remove();
    if (qtTexts.load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
    const bool found = ownTexts.load(locale, QStringLiteral("veskar"), QStringLiteral("_"),
                                     QStringLiteral(":/i18n"));
    if (found) {
        QCoreApplication::installTranslator(&ownTexts);
    }
    return found;
}

}  // namespace ui
