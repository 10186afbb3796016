#include "dialogs/designlayout.h"

#include <QFont>
#include <QFontMetrics>

#include <cmath>

namespace tarvo {

int AverageCharWidth(const QFont& font)
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int width = QFontMetrics(font).horizontalAdvance(letters);
    return (width / 26 + 1) / 2;
}

TDesignScale::TDesignScale(const QFont& font)
    : horizontal_(double(AverageCharWidth(font)) / DesignCharWidth),
      vertical_(double(QFontMetrics(font).height()) / DesignTextHeight)
{
}

int TDesignScale::X(int designPixels) const
{
    return int(std::lround(designPixels * horizontal_));
}

int TDesignScale::Y(int designPixels) const
{
    return int(std::lround(designPixels * vertical_));
}

QRect TDesignScale::Map(const TDesignRect& rect) const
{
    // Edges are scaled, not sizes, so that neighbouring controls stay
    // neighbours without gaps or overlaps from rounding.
    const int left = X(rect.Left);
    const int top = Y(rect.Top);
    return QRect(left, top, X(rect.Left + rect.Width) - left, Y(rect.Top + rect.Height) - top);
}

QSize TDesignScale::MapSize(int width, int height) const
{
    return QSize(X(width), Y(height));
}

} // namespace tarvo
