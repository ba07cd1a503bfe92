// Page "Eingabe": geometry, angles, insert, process and calculation
// parameters, material, milling direction, the Start button and the three
// illustrations.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSvgWidget>

#include "ui/layout.h"
#include "ui/materiallist.h"
#include "ui/tversuch.h"

namespace orbiton::ui {

namespace {

QSvgWidget* makeImage(QWidget* parent, const char* name, const char* resource)
{
    auto* image = new QSvgWidget(QString::fromLatin1(resource), parent);
    image->setObjectName(QString::fromLatin1(name));
    image->setGeometry(589, 12, 200, 200);
    image->setVisible(false);
    return image;
}

}  // namespace

void TVersuch::createPageEingabe()
{
    QWidget* page = PageEingabe;

    // Geometriedaten: caption, edit and unit per row.
    GroupBox110 = makeGroup(page, "GroupBox110", QStringLiteral("Geometriedaten"), 15, 7, 282, 210);
    GroupBox110->setMouseTracking(true);
    {
        QWidget* g = GroupBox110;
        const int ex = 188, ux = 238;
        makeLabel(g, "Label111", QStringLiteral("Bohrungsdurchmesser"), 8, 27);
        Edit111 = makeEdit(g, "Edit111", ex, 24, 45);
        makeLabel(g, "Label117", QStringLiteral("[mm]"), ux, 27);
        makeLabel(g, "Label112", QStringLiteral("Fräserdurchmesser"), 8, 57);
        Edit112 = makeEdit(g, "Edit112", ex, 54, 45);
        makeLabel(g, "Label118", QStringLiteral("[mm]"), ux, 57);
        makeLabel(g, "Label113", QStringLiteral("Zähneanzahl"), 8, 87);
        Edit113 = makeEdit(g, "Edit113", ex, 84, 45);
        makeLabel(g, "Label114", QStringLiteral("Vorbohrungsdurchmesser"), 8, 117);
        Edit114 = makeEdit(g, "Edit114", ex, 114, 45);
        makeLabel(g, "Label110", QStringLiteral("[mm]"), ux, 117);
        Label115 = makeLabel(g, "Label115", QStringLiteral("Axialer Versatz"), 8, 147);
        Edit115 = makeEdit(g, "Edit115", ex, 144, 45);
        Label119 = makeLabel(g, "Label119", QStringLiteral("[mm]"), ux, 147);
        makeLabel(g, "Label116", QStringLiteral("Verschleißmarkenbreite"), 8, 177);
        Edit116 = makeEdit(g, "Edit116", ex, 174, 45);
        makeLabel(g, "Label44", QStringLiteral("[mm]"), ux, 177);
    }

    // Winkel: word, Greek letter with subscript, edit, unit.
    GroupBox120 = makeGroup(page, "GroupBox120", QStringLiteral("Winkel"), 319, 7, 250, 210);
    GroupBox120->setMouseTracking(true);
    {
        QWidget* g = GroupBox120;
        const int sx = 122, ex = 146, ux = 197;
        makeLabel(g, "Label3", QStringLiteral("Spanwinkel"), 8, 27);
        makeLabel(g, "Label4", QStringLiteral("γ"), sx, 27);
        makeSubscript(g, "Label5", QStringLiteral("A"), sx + 8, 34);
        Edit121 = makeEdit(g, "Edit121", ex, 24, 45);
        makeLabel(g, "Label11", QStringLiteral("[Grad]"), ux, 27);

        makeLabel(g, "Label14", QStringLiteral("Neigungswinkel"), 8, 63);
        makeLabel(g, "Label17", QStringLiteral("λ"), sx, 63);
        makeSubscript(g, "Label19", QStringLiteral("A"), sx + 8, 70);
        Edit122 = makeEdit(g, "Edit122", ex, 60, 45);
        makeLabel(g, "Label45", QStringLiteral("[Grad]"), ux, 63);

        Label6 = makeLabel(g, "Label6", QStringLiteral("Spanwinkel"), 8, 99);
        Label16 = makeLabel(g, "Label16", QStringLiteral("γ"), sx, 99);
        Label18 = makeSubscript(g, "Label18", QStringLiteral("I"), sx + 8, 106);
        Edit123 = makeEdit(g, "Edit123", ex, 96, 45);
        Label126 = makeLabel(g, "Label126", QStringLiteral("[Grad]"), ux, 99);

        Label7 = makeLabel(g, "Label7", QStringLiteral("Neigungswinkel"), 8, 135);
        Label12 = makeLabel(g, "Label12", QStringLiteral("λ"), sx, 135);
        Label21 = makeSubscript(g, "Label21", QStringLiteral("I"), sx + 8, 142);
        Edit124 = makeEdit(g, "Edit124", ex, 132, 45);
        Label8 = makeLabel(g, "Label8", QStringLiteral("[Grad]"), ux, 135);

        Label1 = makeLabel(g, "Label1", QStringLiteral("Einstellwinkel"), 8, 171);
        Label23 = makeLabel(g, "Label23", QStringLiteral("κ"), sx, 171);
        Edit125 = makeEdit(g, "Edit125", ex, 168, 45);
        Label2 = makeLabel(g, "Label2", QStringLiteral("[Grad]"), ux, 171);
    }

    GroupBox140 = makeGroup(page, "GroupBox140", QStringLiteral("Verfahrensparameter"), 16, 231, 281, 120);
    {
        QWidget* g = GroupBox140;
        const int ex = 172, ux = 222;
        makeLabel(g, "Label141", QStringLiteral("Schnittgeschwindigkeit"), 8, 27);
        Edit141 = makeEdit(g, "Edit141", ex, 24, 45);
        makeLabel(g, "Label144", QStringLiteral("[m/min]"), ux, 27);
        makeLabel(g, "Label142", QStringLiteral("axialer Vorschub/Umdr."), 8, 57);
        Edit142 = makeEdit(g, "Edit142", ex, 54, 45);
        makeLabel(g, "Label145", QStringLiteral("[mm]"), ux, 57);
        makeLabel(g, "Label143", QStringLiteral("radialer Vorschub/Zahn"), 8, 87);
        Edit143 = makeEdit(g, "Edit143", ex, 84, 45);
        makeLabel(g, "Label146", QStringLiteral("[mm]"), ux, 87);
    }

    GroupBox130 = makeGroup(page, "GroupBox130", QStringLiteral("Wendeschneidplatten"), 319, 231, 250, 57);
    GroupBox130->setMouseTracking(true);
    {
        QWidget* g = GroupBox130;
        Edit131 = makeEdit(g, "Edit131", 70, 26, 45);
        Edit131->setVisible(false);
        makeLabel(g, "Label131", QStringLiteral("-breite"), 8, 29);
        Edit132 = makeEdit(g, "Edit132", 146, 26, 45);
        makeLabel(g, "Label132", QStringLiteral("[mm]"), 197, 29);
    }

    RadioGroup1 = new TRadioGroup(QStringLiteral("Wendeschneidplattenform"),
                                  {QStringLiteral("rechteckig"), QStringLiteral("rhombisch")}, 2, page);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(320, 302, 249, 49);
    RadioGroup1->setItemIndex(0);

    GroupBox150 = makeGroup(page, "GroupBox150", QStringLiteral("Material"), 600, 225, 177, 140);
    Edit151 = makeEdit(GroupBox150, "Edit151", 8, 22, 161);
    Edit151->setText(QStringLiteral("AlCuMgPbF34.wks"));
    Edit151->setReadOnly(true);
    Edit151->setFocusPolicy(Qt::ClickFocus);  // skipped by the Tab key
    Edit151->setToolTip(QStringLiteral("Werkstoff für Berechnung"));
    // The material files of the start directory; names chosen there are
    // resolved against it even if a dialog changes the working directory.
    startDirectory_ = QDir::currentPath();
    FileListBox151 = new TFileListBox(startDirectory_, QString::fromLatin1(materialFileMask), GroupBox150);
    FileListBox151->setObjectName(QStringLiteral("FileListBox151"));
    FileListBox151->setGeometry(8, 48, 161, 84);
    FileListBox151->setToolTip(QStringLiteral("Verfügbare Werkstoffkennwerte"));

    RadioGroup101 = new TRadioGroup(QStringLiteral("Drehsinn"),
                                    {QStringLiteral("Gleichlauf"), QStringLiteral("Gegenlauf")}, 1, page);
    RadioGroup101->setObjectName(QStringLiteral("RadioGroup101"));
    RadioGroup101->setGeometry(16, 371, 281, 90);
    RadioGroup101->setItemIndex(0);

    GroupBox160 = makeGroup(page, "GroupBox160", QStringLiteral("Berechnungsparameter"), 320, 371, 249, 90);
    {
        QWidget* g = GroupBox160;
        makeLabel(g, "Label161", QStringLiteral("Berechnungsschritte"), 8, 29);
        ComboBox161 = new QComboBox(g);
        ComboBox161->setObjectName(QStringLiteral("ComboBox161"));
        ComboBox161->setGeometry(160, 26, 70, 21);
        ComboBox161->setEditable(true);
        ComboBox161->setInsertPolicy(QComboBox::NoInsert);
        ComboBox161->setCompleter(nullptr);
        ComboBox161->addItems({QStringLiteral("60"), QStringLiteral("64"), QStringLiteral("120"), QStringLiteral("128"),
                               QStringLiteral("180"), QStringLiteral("240"), QStringLiteral("256"),
                               QStringLiteral("300"), QStringLiteral("360"), QStringLiteral("720")});
        ComboBox161->setMaxVisibleItems(10);
        ComboBox161->setCurrentIndex(-1);
        limitTypedLength(ComboBox161->lineEdit(), findField("ComboBox161")->maxLength);
        makeLabel(g, "Label162", QStringLiteral("Betrachtete Schneide"), 8, 59);
        Edit162 = makeEdit(g, "Edit162", 160, 56, 45);
    }

    Button101 = new QPushButton(QStringLiteral("Start"), page);
    Button101->setObjectName(QStringLiteral("Button101"));
    Button101->setGeometry(645, 403, 89, 33);
    Button101->setToolTip(QStringLiteral("Start eines Berechnungsumlaufs"));

    Image1 = makeImage(page, "Image1", ":/images/geometry.svg");
    Image2 = makeImage(page, "Image2", ":/images/angles.svg");
    Image3 = makeImage(page, "Image3", ":/images/inserts.svg");

    // Initial enabled states follow from "rechteckig".
    RadioGroup1Click();
}

void TVersuch::RadioGroup101Click() { applyMillingDirection(params_, RadioGroup101->itemIndex()); }

void TVersuch::RadioGroup1Click()
{
    const int index = RadioGroup1->itemIndex();
    if (index < 0)
        return;
    const bool rhombic = index == 1;
    for (QWidget* w : std::initializer_list<QWidget*>{Label6, Label16, Label18, Label126, Edit123, Label7, Label12,
                                                      Label21, Label8, Edit124, Label1, Label23, Label2, Edit125})
        w->setEnabled(rhombic);
    for (QWidget* w : std::initializer_list<QWidget*>{Label115, Label119, Edit115})
        w->setEnabled(!rhombic);
}

}  // namespace orbiton::ui
