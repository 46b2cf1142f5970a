#include "window/WindowAppearance.h"

#include <QApplication>
#include <QColor>
#include <QFontDatabase>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStyle>
#include <optional>

#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"

namespace windowappearance {

namespace {

QPalette darkPalette() {
    QPalette palette;
    const QColor window(0x2b, 0x2d, 0x31), base(0x1f, 0x21, 0x24), text(0xe6, 0xe6, 0xe6);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x7a, 0xb7, 0xff));
    palette.setColor(QPalette::PlaceholderText, QColor(0x8a, 0x8d, 0x93));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x7f, 0x7f, 0x7f));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x7f, 0x7f, 0x7f));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x7f, 0x7f, 0x7f));
    return palette;
}

std::optional<QColor> storedColor(const QVariant& value) {
    if (!value.canConvert<QColor>())
        return std::nullopt;
    const QColor color = value.value<QColor>();
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

}  // namespace

void applyTheme(QWidget* window, const QString& themeName) {
    window->setPalette(themeName == "NSAppearanceNameVibrantLight" ? QApplication::style()->standardPalette()
                                                                   : darkPalette());
}

void applySourceViewSettings(QPlainTextEdit* view) {
    QPalette palette = view->palette();
    if (auto background = storedColor(SettingsStore::shared().sourceBackgroundColor()))
        palette.setColor(QPalette::Base, *background);
    if (auto text = storedColor(SettingsStore::shared().sourceTextColor()))
        palette.setColor(QPalette::Text, *text);
    view->setPalette(palette);

    SettingsStore& settings = SettingsStore::shared();
    const QString family = settings.sourceFontFamily();
    const double size = settings.sourceFontSize().toDouble();
    if (QFontDatabase::hasFamily(family)) {
        QFont font(family);
        if (size > 0)
            font.setPointSizeF(size);
        view->setFont(font);
    } else {
        view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
}

QString languageTitle(const QString& markupLanguage) {
    // Markdown Extra is the Markdown of the title, as before the flavours
    // could be chosen.
    const MarkupLanguage* language = markuplanguagetable::find(markupLanguage);
    if (!language || language->displayName.isEmpty() || language->identifier == languageids::kMarkdownExtra)
        return "Markdown";
    return language->displayName;
}

}  // namespace windowappearance
