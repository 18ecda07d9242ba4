#pragma once
// The whole of a file, read into one large block for the packet reader to parse in place:
// no second copy as reading into a growing byte array makes, and huge pages for a large
// file. Raises EDataSetError naming the file when it cannot be opened or read.

#include <QByteArray>
#include <QString>

class TFileBytes {
public:
    explicit TFileBytes(const QString& path);
    ~TFileBytes();
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;

    // Valid while this object lives.
    const QByteArray& Bytes() const { return bytes_; }

private:
    char* block_ = nullptr;
    std::size_t capacity_ = 0;
    QByteArray bytes_;
};
