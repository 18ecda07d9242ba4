#include "platform/vcl/ListColumn.h"

#include "platform/core/Checked.h"
#include "platform/vcl/ListView.h"

void TListColumn::SetCaption(const QString& caption)
{
    caption_ = caption;
    owner_.ColumnChanged(index_);
}

void TListColumn::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    owner_.ColumnChanged(index_);
}

int TListColumn::Width() const
{
    return owner_.SectionWidth(index_);
}

void TListColumn::SetWidth(int width)
{
    if (width < FitHeader)
        throw ERangeError(QStringLiteral("Column width %1 is out of range").arg(width));
    if (width == FitText || width == FitHeader)
        width = owner_.FittingWidth(index_, width == FitHeader);
    owner_.SetSectionWidth(index_, Limited(width));
}

int TListColumn::Limited(int width) const
{
    if (maxWidth_ > 0 && width > maxWidth_)
        width = maxWidth_;
    if (minWidth_ > 0 && width < minWidth_)
        width = minWidth_;
    return width;
}
