#include "framework/controls/menu_bar_style.h"

#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>

namespace dlk {

namespace {

constexpr int kPictureGap = 4;

class PictureAndCaptionStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const auto* item = PictureAndCaption(type == CT_MenuBarItem, option);
        if (item == nullptr) return QProxyStyle::sizeFromContents(type, option, size, widget);
        const int picture = pixelMetric(PM_SmallIconSize, option, widget);
        const QSize caption = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
        const QSize both(picture + kPictureGap + caption.width(), std::max(picture, caption.height()));
        return QProxyStyle::sizeFromContents(type, option, both, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = PictureAndCaption(element == CE_MenuBarItem, option);
        if (item == nullptr) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        // The item's face (its highlight) from the style, then picture and caption side by side.
        QStyleOptionMenuItem face = *item;
        face.icon = QIcon();
        face.text.clear();
        QProxyStyle::drawControl(element, &face, painter, widget);

        const bool enabled = (item->state & State_Enabled) != 0;
        const int picture = pixelMetric(PM_SmallIconSize, option, widget);
        const int captionWidth = item->fontMetrics.size(Qt::TextShowMnemonic, item->text).width();
        const QRect r = item->rect;
        const int left = r.left() + (r.width() - (picture + kPictureGap + captionWidth)) / 2;
        item->icon.paint(painter, QRect(left, r.top() + (r.height() - picture) / 2, picture, picture), Qt::AlignCenter,
                         enabled ? QIcon::Normal : QIcon::Disabled);
        const QRect caption(left + picture + kPictureGap, r.top(), captionWidth, r.height());
        drawItemText(painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine,
                     item->palette, enabled, item->text, QPalette::ButtonText);
    }

private:
    static const QStyleOptionMenuItem* PictureAndCaption(bool barItem, const QStyleOption* option) {
        if (!barItem) return nullptr;
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item == nullptr || item->icon.isNull() || item->text.isEmpty()) return nullptr;
        return item;
    }
};

}  // namespace

void ShowPicturesBesideCaptions(QMenuBar& bar) {
    if (dynamic_cast<PictureAndCaptionStyle*>(bar.style()) != nullptr) return;
    // A widget does not own its style: the bar's parent frees this one with it.
    auto* style = new PictureAndCaptionStyle();
    style->setParent(&bar);
    bar.setStyle(style);
}

}  // namespace dlk
