#pragma once
// Forms are designed in pixels for the font "MS Sans Serif" 8 pt at 96 dpi:
// a text line 13 pixels high and an average letter 6 pixels wide. The
// desktop's font is different, so every form scales its design rectangles
// once, by the ratio of the actual font's metrics to those: the letter
// width for horizontal values, the line height for vertical ones. The
// arrangement stays the design's and the texts fit.

#include <QRect>
#include <QSize>

class QFont;
class QLabel;

namespace tarvo {

// A control's rectangle in design pixels.
struct TDesignRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

class TDesignScale {
public:
    static constexpr int DesignTextHeight = 13;
    static constexpr int DesignCharWidth = 6;

    // The scale from the design font to font.
    explicit TDesignScale(const QFont& font);

    int X(int designPixels) const;
    int Y(int designPixels) const;
    QRect Map(const TDesignRect& rect) const;
    QSize MapSize(int width, int height) const;

    double Horizontal() const { return horizontal_; }
    double Vertical() const { return vertical_; }

private:
    double horizontal_;
    double vertical_;
};

// The average letter width of a font as dialog layouts measure it: the
// width of the 52 letters, averaged and rounded up.
int AverageCharWidth(const QFont& font);

} // namespace tarvo
