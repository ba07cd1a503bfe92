#pragma once
// The dialogs of the material data, shown by QtDialogs: the catalogue
// values with the pick list of the sourced table, the fitted law over the
// measured points (log-log chart and report), and the measured power of a
// calibration. Every control carries an object name.
#include <QDialog>

#include "material/fit.h"

class QLineEdit;

namespace orbiton::ui {

// "Werkstoff aus Kennwerten": ComboBox601 (pick list), Edit601..Edit604
// (kc1.1, mc, kf1.1, mf), Label605 (the source of the chosen row).
class CatalogueDialog : public QDialog {
    Q_OBJECT
public:
    explicit CatalogueDialog(QWidget* parent = nullptr);
    QString kc11() const;
    QString mc() const;
    QString kf11() const;
    QString mf() const;
    int tableRow() const;  // -1: values typed

private:
    QLineEdit *kc11_, *mc_, *kf11_, *mf_;
    int row_ = -1;
};

// "Kraftgesetz aus Messungen": Chart611 (log-log), Memo611 (report),
// Button611 "Speichern …" (accepts), Button612 "Abbrechen".
class FitDialog : public QDialog {
    Q_OBJECT
public:
    FitDialog(const MaterialFit& fit, const QString& sourceName, QWidget* parent = nullptr);
};

// "Leistung abgleichen": Edit621 spindle power, Edit622 idle power [kW].
class PowerDialog : public QDialog {
    Q_OBJECT
public:
    PowerDialog(const QString& simulatedKw, QWidget* parent = nullptr);
    QString spindleKw() const;
    QString idleKw() const;

private:
    QLineEdit *spindle_, *idle_;
};

}  // namespace orbiton::ui
