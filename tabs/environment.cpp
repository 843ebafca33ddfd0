#include "tabs/environment.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <optional>

namespace dlk {

namespace {

TrueTypeFontTest& FontTest() {
    static TrueTypeFontTest test;
    return test;
}

bool ApplicationExists() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

bool IsTrueColorDisplay() {
    if (!ApplicationExists()) return true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr || screen->depth() > 8;
}

namespace {

std::optional<bool>& DisplayOverride() {
    static std::optional<bool> value;
    return value;
}

}  // namespace

bool TrueColorDisplay() {
    if (DisplayOverride()) return *DisplayOverride();
    static std::optional<bool> value;
    if (value) return *value;
    if (!ApplicationExists()) return IsTrueColorDisplay();
    value = IsTrueColorDisplay();
    return *value;
}

bool IsTrueTypeFont(const TFont& font) {
    if (FontTest()) return FontTest()(font);
    const QFontInfo info(font.ToQFont());
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}

void SetTrueColorDisplayTest(std::optional<bool> value) {
    DisplayOverride() = value;
}

void SetTrueTypeFontTest(TrueTypeFontTest test) {
    FontTest() = std::move(test);
}

}  // namespace dlk
