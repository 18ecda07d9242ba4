#pragma once
// What question and answer records share: the question number, the category folder, the
// data (a text, or a file name relative to the folder), the owning link to the next
// record of the chain (freed in a loop), the error text of a record and the path of its
// data file.

#include "platform/core/Chain.h"

#include <QString>
#include <exception>
#include <memory>

// S := prefix TAB message TAB "<No=" No TAB "Folder=" Folder TAB "Data=" Data ">".
QString RecordErrorText(const std::exception& e, const QString& prefix, int no,
                        const QString& folder, const QString& data);
// The message of an exception: Exception::Message(), else what().
QString ErrorText(const std::exception& e);
// Folder + Data on disk, Data taken as a Windows-style relative name.
QString RecordDataPath(const QString& folder, const QString& data);

template <class Node>
class TRecordNode {
public:
    TRecordNode(int no, const QString& folder, const QString& data)
        : No(no), Folder(folder), Data(data)
    {
    }
    virtual ~TRecordNode() { FreeChain(Next); }
    TRecordNode(const TRecordNode&) = delete;
    TRecordNode& operator=(const TRecordNode&) = delete;

    int No;
    QString Folder; // the category folder, with trailing separator
    QString Data;   // the text, or the file name relative to Folder
    std::unique_ptr<Node> Next;

    // S := prefix TAB message TAB "<No=" No TAB "Folder=" Folder TAB "Data=" Data ">".
    virtual void DescribeError(const std::exception& e, const QString& prefix, QString& s) const
    {
        s = RecordErrorText(e, prefix, No, Folder, Data);
    }

protected:
    QString DataPath() const { return RecordDataPath(Folder, Data); }
};
