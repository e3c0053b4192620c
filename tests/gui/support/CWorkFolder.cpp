#include "CWorkFolder.h"

#include <QDir>

CWorkFolder::CWorkFolder() : m_before(QDir::currentPath()) {
    m_entered = m_dir.isValid() && QDir::setCurrent(m_dir.path());
}

CWorkFolder::~CWorkFolder() {
    QDir::setCurrent(m_before);
}
