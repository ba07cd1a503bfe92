// The window itself: creation, the control registry behind ControlSource,
// page switching, program-initiated control changes, focus tracking for
// the exit handlers and the illustrations.
#include "ui/tversuch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QStackedWidget>
#include <QSvgWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

#include "ui/layout.h"

namespace orbiton::ui {

TVersuch* Versuch = nullptr;

namespace {

const char* const pageCaptions[] = {"Eingabe", "Ergebnisse", "Ausgabe", "Grafik", "Optionen"};

constexpr QSize designPageArea(designPageWidth, designPageHeight);

QWidget* makePage(QStackedWidget* notebook, const char* name)
{
    auto* page = new QWidget(notebook);
    page->setObjectName(QString::fromLatin1(name));
    page->setFont(arialFont(12, true));
    notebook->addWidget(page);
    return page;
}

}  // namespace

TVersuch::TVersuch(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs))
{
    if (!dialogs_)
        dialogs_ = std::make_unique<QtDialogs>(this);
    guide_ = UserGuide::besideProgram(QCoreApplication::applicationDirPath());
    setObjectName(QStringLiteral("Versuch"));
    // The program's icon (packaging/orbiton.svg), also for its dialogs.
    setWindowIcon(QIcon(QStringLiteral(":/orbiton.svg")));
    setFont(windowFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    // The pages keep their design size: a smaller window scrolls them.
    auto* pageArea = new QScrollArea(client);
    pageArea->setObjectName(QStringLiteral("PageArea"));
    pageArea->setFrameShape(QFrame::NoFrame);
    pageArea->setFocusPolicy(Qt::NoFocus);
    pageArea->setWidgetResizable(true);
    Notebook = new QStackedWidget;
    Notebook->setObjectName(QStringLiteral("Notebook"));
    Notebook->setMinimumSize(designPageArea);
    pageArea->setWidget(Notebook);
    TabSet = new QTabBar(client);
    TabSet->setObjectName(QStringLiteral("TabSet"));
    TabSet->setShape(QTabBar::RoundedSouth);
    TabSet->setExpanding(false);
    TabSet->setDrawBase(false);
    TabSet->setFont(arialFont(12, false));
    TabSet->setFixedHeight(22);
    // Clicking a tab takes the focus, so a field being left is checked
    // first; the Tab key reaches it too, and the arrow keys turn the pages.
    TabSet->setFocusPolicy(Qt::StrongFocus);
    RunIndicator = new QWidget(client);
    RunIndicator->setObjectName(QStringLiteral("RunIndicator"));
    {
        auto* text = makeLabel(RunIndicator, "RunIndicatorText", QStringLiteral("Berechnung läuft …"), 8, 0);
        text->setFont(arialFont(12, false));
        text->adjustSize();
        text->move(8, (22 - text->height()) / 2);
        auto* bar = new QProgressBar(RunIndicator);
        bar->setObjectName(QStringLiteral("RunIndicatorBar"));
        bar->setRange(0, 0);  // busy: the run's length is not known beforehand
        bar->setTextVisible(false);
        bar->setGeometry(text->geometry().right() + 7, 4, 120, 14);
        RunIndicator->setFixedSize(bar->geometry().right() + 9, 22);
    }
    RunIndicator->setVisible(false);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(0);
    bottom->addWidget(TabSet);
    bottom->addStretch(1);
    bottom->addWidget(RunIndicator);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pageArea, 1);
    layout->addLayout(bottom);
    setCentralWidget(client);

    PageEingabe = makePage(Notebook, "Eingabe");
    PageErgebnisse = makePage(Notebook, "Ergebnisse");
    PageAusgabe = makePage(Notebook, "Ausgabe");
    PageGrafik = makePage(Notebook, "Grafik");
    PageOptionen = makePage(Notebook, "Optionen");
    createPageEingabe();
    createPageErgebnisse();
    createPageAusgabe();
    createPageGrafik();
    createPageOptionen();
    createMenus();
    createDialogSpecs();
    registerControls();
    bindFields();
    connectHandlers();
    setUpKeyboard();
    watchInputs();

    qApp->installEventFilter(this);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget* old, QWidget* now) { guarded([&] { onFocusChanged(old, now); }); });

    // The design client area; the program shows the window maximized.
    resize(designPageArea.width(), designPageArea.height() + TabSet->height() + menuBar()->sizeHint().height());
    Versuch = this;
    guarded([this] { FormCreate(); });
    // The inputs at start are the unmodified state of the untitled data set.
    document_.setUntitled(inputs());
    showRecentFiles();
    showDocumentState();
}

TVersuch::~TVersuch()
{
    // The controls go first, while the handlers' data still exists; no
    // handler runs while they are destroyed.
    closing_ = true;
    qApp->removeEventFilter(this);
    disconnect(focusConnection_);
    delete takeCentralWidget();
    delete PopupMenu1;
    delete MainMenu1;
    if (Versuch == this)
        Versuch = nullptr;
}

void TVersuch::FormCreate()
{
    // Assigning the tabs selects tab 0, which shows the page "Eingabe".
    for (const char* caption : pageCaptions)
        TabSet->addTab(QString::fromLatin1(caption));
    Image1->setVisible(true);
    setControlText(ComboBox161, ComboBox161->itemText(2));
    // The default values count as those of the material named at start.
    MaterialTexts texts;
    for (std::size_t k = 0; k < materialLineCount; ++k)
        texts[k] = text(materialControls()[k]);
    materialOrigin_.loaded(texts);
}

void TVersuch::registerControls()
{
    for (QWidget* widget : findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        controls_.emplace(name.toStdString(), widget);
    }
}

QWidget* TVersuch::control(std::string_view name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

namespace {

[[noreturn]] void unknownControl(std::string_view name)
{
    throw std::invalid_argument("Unbekanntes Steuerelement " + std::string(name));
}

}  // namespace

std::string TVersuch::text(std::string_view name) const
{
    QWidget* widget = control(name);
    if (widget == Edit151)  // the name, without the mark of changed values
        return MaterialOrigin::nameOf(Edit151->text()).toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().toStdString();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return memo->toPlainText().toStdString();
    unknownControl(name);
}

int TVersuch::selectedIndex(std::string_view name) const
{
    QWidget* widget = control(name);
    if (auto* group = qobject_cast<TRadioGroup*>(widget))
        return group->itemIndex();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return list->currentRow();
    unknownControl(name);
}

bool TVersuch::isChecked(std::string_view name) const
{
    if (auto* box = qobject_cast<QCheckBox*>(control(name)))
        return box->isChecked();
    unknownControl(name);
}

// ------------------------------------------------------------- pages

void TVersuch::TabSetClick() { Notebook->setCurrentIndex(TabSet->currentIndex()); }

void TVersuch::selectPage(int index)
{
    programSet([&] { TabSet->setCurrentIndex(index); });
}

// ------------------------------------------- program-initiated changes

void TVersuch::setControlText(QLineEdit* edit, const QString& text)
{
    programSet([&] { edit->setText(text); });
}

void TVersuch::setControlText(QComboBox* combo, const QString& text)
{
    programSet([&] { combo->setEditText(text); });
}

void TVersuch::setControlText(std::string_view name, const QString& text)
{
    QWidget* widget = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        setControlText(edit, text);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        setControlText(combo, text);
    else
        unknownControl(name);
}

void TVersuch::setItemIndex(TRadioGroup* group, int index)
{
    programSet([&] { group->setItemIndex(index); });
}

void TVersuch::setChecked(QCheckBox* box, bool checked)
{
    programSet([&] { box->setChecked(checked); });
}

// ------------------------------------------------------ focus and events

void TVersuch::onFocusChanged(QWidget* old, QWidget* now)
{
    // Only a move to another control of this window leaves a field; the
    // focus going to a message box, a menu or another program does not.
    if (returningFocus_ || !old || !now || now->window() != this)
        return;
    // A field whose page the program switched away is not being left by
    // the user; the focus could not return to it either.
    if (!old->isVisible())
        return;
    const FieldBinding* left = fieldOf(old);
    if (!left || !left->exit || fieldOf(now) == left)
        return;
    // Taken before the exit handler, whose warning may see the button released.
    focusMovedByMouse_ = QGuiApplication::mouseButtons() != Qt::NoButton;
    focusLeftFor_ = now;
    struct Reset {
        TVersuch& window;
        ~Reset()
        {
            window.focusMovedByMouse_ = false;
            window.focusLeftFor_ = nullptr;
        }
    } reset{*this};
    (this->*left->exit)();
}

void TVersuch::returnFocus(QWidget* control)
{
    // Only the field looks focused afterwards: the control the focus went to
    // lost it to the warning box, which leaves an edit's text selected.
    if (auto* edit = qobject_cast<QLineEdit*>(focusLeftFor_.data()))
        edit->deselect();
    else if (auto* combo = qobject_cast<QComboBox*>(focusLeftFor_.data()); combo && combo->lineEdit())
        combo->lineEdit()->deselect();
    returningFocus_ = true;
    control->setFocus(Qt::OtherFocusReason);
    returningFocus_ = false;
    // The closed warning box hands the activation back only under a window
    // manager; without one the field would not get the keys.
    if (!QApplication::activeWindow())
        activateWindow();
    // When a mouse press moved the focus away, the press must not reach its
    // target after the warning: the user stays in the field.
    if (focusMovedByMouse_) {
        swallowPress_ = true;
        QTimer::singleShot(0, this, [this] { swallowPress_ = false; });
    }
}

void TVersuch::warn(const QString& text) { dialogs_->message(MessageKind::Warning, text, Buttons::Ok); }

bool TVersuch::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (swallowPress_ && watched->isWidgetType()) {
            swallowPress_ = false;
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (watched->isWidgetType()) {
            // A label is part of the area of its group, as far as the mouse
            // is concerned; edits and other controls are not.
            auto* widget = static_cast<QWidget*>(watched);
            if (qobject_cast<QLabel*>(widget))
                widget = widget->parentWidget();
            if (widget == GroupBox110)
                guarded([this] { groupbox110move(); });
            else if (widget == GroupBox120)
                guarded([this] { groupbox120move(); });
            else if (widget == GroupBox130)
                guarded([this] { groupbox130move(); });
            else if (StringGrid311 &&
                     (widget == StringGrid311->viewport() || widget == StringGrid311->horizontalHeader()->viewport() ||
                      widget == StringGrid311->verticalHeader()->viewport()))
                guarded([this] { stringgrid311move(); });
        }
        break;
    case QEvent::Resize:
        if (watched == PageAusgabe)
            layoutPageAusgabe();
        else if (watched == PageGrafik)
            layoutPageGrafik();
        break;
    case QEvent::MouseButtonRelease:
        if (watched == Edit151 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            guarded([this] { Edit151Click(); });
        break;
    case QEvent::ContextMenu:
        // The window's own menu, wherever the right button is pressed: on
        // edits, the memo and the grid too, instead of their own menus.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
            PopupMenu1->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            event->accept();
            return true;
        }
        break;
    case QEvent::ShortcutOverride:
        // The window's shortcuts win over a control's own use of the keys
        // (Ctrl+U erases the line of an edit, Ctrl+Tab moves in a grid).
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
            isWindowShortcut(*static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (watched == Memo1) {
            // Enter inserts no line break in the memo.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        if (watched == StringGrid311 && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            // The grid's copy key copies as "Tabelle kopieren" does.
            if (Tabellekopieren1->isEnabled())
                guarded([this] { Tabellekopieren1Click(); });
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------- illustrations

void TVersuch::showImage(int number)
{
    Image1->setVisible(number == 1);
    Image2->setVisible(number == 2);
    Image3->setVisible(number == 3);
}

void TVersuch::groupbox110move() { showImage(1); }

void TVersuch::groupbox120move() { showImage(2); }

void TVersuch::groupbox130move() { showImage(3); }

}  // namespace orbiton::ui
