#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh temporary folder made the current one for a test, so the files a run writes in the
// current folder (tarvex.txt, 排除号码原因.txt) land there; the folder before is current again
// once it goes.
class CWorkFolder {
public:
    CWorkFolder();
    ~CWorkFolder();
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;

    // False when the folder could not be made or entered.
    bool isValid() const { return m_entered; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_before;
    bool m_entered = false;
};
