#pragma once
// A column of a list view in report style: caption, alignment, width and its range.
// A width of -1 fits the column to its texts, -2 to its texts and its caption; the
// width read back is then the pixel width it got. A width below -2 raises ERangeError.

#include <QString>

class TListView;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TListColumn {
public:
    static constexpr int FitText = -1;
    static constexpr int FitHeader = -2;

    TListColumn(TListView& owner, int index) : owner_(owner), index_(index) {}

    int Index() const { return index_; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    int Width() const;
    // Values from 0 up are kept within the minimum and maximum width (when those are > 0).
    void SetWidth(int width);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int width) { minWidth_ = width; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width) { maxWidth_ = width; }

    // Width within [MinWidth, MaxWidth] as far as those are set.
    int Limited(int width) const;

private:
    TListView& owner_;
    int index_;
    QString caption_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int minWidth_ = 0;
    int maxWidth_ = 0;
};
