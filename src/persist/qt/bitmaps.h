#pragma once
// Bitmaps for list controls: the image lists that views share, and the two
// bitmaps of a bitmapped list entry, loaded from its file or from a bitmap
// resource of the program.

#include <QPixmap>

#include <cstdint>
#include <string_view>
#include <vector>

#include "persist/errors.h"
#include "persist/listentry.h"

namespace tarvo {

// Images by index, shared by the views that show them. An index stays valid
// for the life of the list: images are added and replaced, never removed.
class TImageList {
public:
    // Appends the image and returns its index. A non-zero mask colour
    // (0xRRGGBB) makes the image's pixels of that colour see-through.
    int Add(const QPixmap& image, uint32_t maskColor = 0);
    // Puts the image at an index the list has, masked like Add;
    // EListError for an index outside the list.
    void Replace(int index, const QPixmap& image, uint32_t maskColor = 0);
    bool Contains(int index) const { return index >= 0 && index < Count(); }
    // The image at the index; EListError outside the list.
    const QPixmap& At(int index) const;
    int Count() const { return static_cast<int>(images_.size()); }

private:
    std::vector<QPixmap> images_;
};

// A bitmap file that exists but holds no bitmap that can be read.
class EInvalidBitmap : public ETarvoError {
public:
    explicit EInvalidBitmap(std::string_view fileName);
};

// The bitmaps of a bitmapped list entry: the large one as its source has it,
// and the small one of SmallBitmapSize pixels square, blank until the large
// one is drawn into it.
struct TEntryBitmaps {
    static constexpr int SmallBitmapSize = 16;

    TEntryBitmaps();

    QPixmap LargeBitmap;
    QPixmap SmallBitmap;
};

// Where the bitmap resource of a name lies among the program's resources.
QString BitmapResourcePath(std::string_view resourceName);

// LoadBitmaps: the large bitmap from the entry's BitmapFile when that file
// exists, otherwise from its bitmap resource (see BitmapResourcePath), then
// stretched into the small one. Without a file and a resource name, or with
// a resource the program lacks, both stay blank. A file that is no bitmap
// (only BMP is read): EInvalidBitmap.
// An entry keeps only the names, and the list controls load its bitmaps
// when they show it, so that reading a stored entry needs no graphics; a
// bad file therefore fails where the entry is put into a view, not where it
// is read.
TEntryBitmaps LoadBitmaps(const TBitmappedListEntry& entry);

} // namespace tarvo
