#include "ui/document.h"

#include <QFileInfo>

#include "ui/dialogs.h"

namespace orbiton::ui {

void DataSetDocument::setClean(const QString& fileName, const DataSet& inputs)
{
    fileName_ = fileName;
    clean_ = inputs;
}

void DataSetDocument::setUntitled(const DataSet& inputs) { setClean(QString(), inputs); }

QString DataSetDocument::windowTitle() const
{
    QString name = hasFileName() ? QFileInfo(fileName_).fileName() : QStringLiteral("Unbenannt");
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // a literal "[*]" in the name
    return name + QStringLiteral("[*] – ") + QString::fromUtf8(applicationTitle);
}

}  // namespace orbiton::ui
