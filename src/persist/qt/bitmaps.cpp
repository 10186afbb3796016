#include "persist/qt/bitmaps.h"

#include <QBitmap>
#include <QColor>
#include <QLoggingCategory>
#include <QString>

#include <string>

#include "platform/files.h"

namespace tarvo {

namespace {

Q_LOGGING_CATEGORY(lcPersist, "tarvo.persist")

QPixmap Masked(QPixmap image, uint32_t maskColor)
{
    if (maskColor != 0 && !image.isNull())
        image.setMask(image.createMaskFromColor(QColor::fromRgb(maskColor)));
    return image;
}

} // namespace

int TImageList::Add(const QPixmap& image, uint32_t maskColor)
{
    images_.push_back(Masked(image, maskColor));
    return Count() - 1;
}

void TImageList::Replace(int index, const QPixmap& image, uint32_t maskColor)
{
    if (!Contains(index))
        throw EListError();
    images_[static_cast<size_t>(index)] = Masked(image, maskColor);
}

const QPixmap& TImageList::At(int index) const
{
    if (!Contains(index))
        throw EListError();
    return images_[static_cast<size_t>(index)];
}

EInvalidBitmap::EInvalidBitmap(std::string_view fileName)
    : ETarvoError(FormatMessage("Die Datei %s enthält keine gültige Bitmap", fileName))
{
}

TEntryBitmaps::TEntryBitmaps() : SmallBitmap(SmallBitmapSize, SmallBitmapSize)
{
    SmallBitmap.fill(Qt::transparent);
}

QString BitmapResourcePath(std::string_view resourceName)
{
    return QStringLiteral(":/bitmaps/%1.bmp").arg(QString::fromUtf8(resourceName.data(), resourceName.size()));
}

TEntryBitmaps LoadBitmaps(const TBitmappedListEntry& entry)
{
    TEntryBitmaps bitmaps;
    if (!entry.BitmapFile.empty() && platform::FileExists(entry.BitmapFile)) {
        if (!bitmaps.LargeBitmap.load(QString::fromStdString(entry.BitmapFile), "BMP"))
            throw EInvalidBitmap(entry.BitmapFile);
    } else if (!entry.ResourceName.empty()) {
        const QString resource = BitmapResourcePath(entry.ResourceName);
        if (!bitmaps.LargeBitmap.load(resource, "BMP"))
            qCWarning(lcPersist) << "The program has no bitmap" << resource;
    }
    if (!bitmaps.LargeBitmap.isNull())
        bitmaps.SmallBitmap = bitmaps.LargeBitmap.scaled(TEntryBitmaps::SmallBitmapSize, TEntryBitmaps::SmallBitmapSize,
                                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return bitmaps;
}

} // namespace tarvo
