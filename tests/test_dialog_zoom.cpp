#include "app/qt_translations.h"
#include "app/share.h"
#include "platform/messages.h"
#include "platform/save_dialog.h"
#include "support/window_fixture.h"
#include "widgets/fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTreeView>

#include <memory>

namespace {

// What of a box is cut off: a label, button or list entry whose text needs
// more room than it has, a column narrower than its heading or beyond the
// list's edge, the path box shorter than its path.
QStringList Cut(const QWidget *box)
{
    QStringList cut;
    const auto check = [&cut](const QWidget *w, QSize need, QSize room, const QString &text) {
        if (w->isVisible() && (need.width() > room.width() || need.height() > room.height()))
            cut << QStringLiteral("%1 \"%2\"").arg(QLatin1String(w->metaObject()->className()), text);
    };
    for (const QLabel *label : box->findChildren<QLabel *>())
        check(label,
              label->wordWrap() ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                                : label->sizeHint(),
              label->size(), label->text());
    for (const QAbstractButton *button : box->findChildren<QAbstractButton *>())
        check(button, button->text().isEmpty() ? button->iconSize() : button->sizeHint(),
              button->size(), button->text());
    for (const QComboBox *combo : box->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const int icon = combo->itemIcon(combo->currentIndex()).isNull() ? 0 : combo->iconSize().width() + 4;
        check(combo, QSize(combo->fontMetrics().horizontalAdvance(combo->currentText()) + icon, 0),
              field.size(), combo->currentText());
    }
    // The file dialog's places, and its names, sizes, types and times.
    for (const QAbstractItemView *view : box->findChildren<QAbstractItemView *>()) {
        const auto *header = qobject_cast<const QHeaderView *>(view);
        const auto *tree = qobject_cast<const QTreeView *>(view);
        for (int i = 0; header && i < header->count(); ++i)
            check(header, QSize(header->sectionSizeHint(i), 0), QSize(header->sectionSize(i), 0),
                  header->model()->headerData(i, Qt::Horizontal).toString());
        if (tree)
            check(tree, QSize(tree->header()->length(), 0), tree->viewport()->size(), "columns");
        const QModelIndex root = view->rootIndex();
        for (int row = 0; !header && row < view->model()->rowCount(root); ++row)
            for (int column = 0; column < (tree ? tree->header()->count() : 1); ++column) {
                const QModelIndex cell = view->model()->index(row, column, root);
                const int room = tree ? tree->columnWidth(column) : view->viewport()->width();
                check(view, QSize(view->sizeHintForIndex(cell).width(), 0), QSize(room, 0),
                      cell.data().toString());
            }
    }
    if (const auto *menu = qobject_cast<const QMenu *>(box))
        check(menu, menu->sizeHint(), menu->size(), menu->title());
    return cut;
}

// One box of each kind the program makes, over a game at `percent`, shown
// but never run: nothing waits for a user.
std::unique_ptr<QWidget> Open(WindowFixture &f, const QString &kind, const QString &text,
                              int percent, const QString &folder)
{
    f.w().SetZoom(units::Zoom{percent});
    std::unique_ptr<QWidget> box;
    if (kind == QLatin1String("inform") || kind == QLatin1String("warn")) {
        const MessageBoxMessages messages(f.zoom, &f.w());
        box = messages.MakeBox(kind == QLatin1String("warn") ? QMessageBox::Warning
                                                             : QMessageBox::Information,
                               text);
        box->show();
    } else if (kind == QLatin1String("save")) {
        const FileSaveDialog dialog(f.zoom);
        box = dialog.MakeDialog(&f.w(), QStringLiteral("그림으로 저장"),
                                QDir(folder).filePath(text), QStringLiteral("PNG 그림 (*.png)"));
        // The folder is read on a thread of its own; measured once its
        // entries are in.
        auto *model = box->findChild<QFileSystemModel *>();
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        box->show();
        if (model->rowCount(model->index(folder)) < 2 && !loaded.wait())
            return nullptr;
    } else {
        std::unique_ptr<QMenu> menu = f.w().findChild<Share *>()->MakeMenu();
        menu->popup(f.w().mapToGlobal(QPoint(20, 20)));
        box = std::move(menu);
    }
    return box;
}

} // namespace

class TestDialogZoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void boxesAreLaidOutAtTheZoom_data();
    void boxesAreLaidOutAtTheZoom();

private:
    QTemporaryDir folder_;
};

void TestDialogZoom::initTestCase()
{
    fonts::RegisterKoreanSubstitutes();
    // Measured in the program's own words.
    QVERIFY(qt_translations::InstallKorean(*qApp));
    // A folder and a picture for the save dialog to list.
    QVERIFY(folder_.isValid());
    QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("사진")));
    QFile picture(folder_.filePath(QStringLiteral("Kapuna 2026-12-08 201500.png")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(1920, 1080));
}

void TestDialogZoom::boxesAreLaidOutAtTheZoom_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("percent");
    const QString refusal = QStringLiteral("인쇄할 내용이 없습니다.");
    // Its name, with blanks, would be the place to wrap.
    const QString notSaved = QStringLiteral(
        "결과표를 PDF로 저장하지 못했습니다: /home/가람/Documents/Kapuna 결과 2026-12-09 033636.pdf");
    const QString name = QStringLiteral("Kapuna 2026-12-09 025326.png");
    for (const int percent : {100, 150, 200}) {
        const QByteArray at = " at " + QByteArray::number(percent);
        QTest::newRow("message" + at) << "inform" << refusal << percent;
        QTest::newRow("warning with a path" + at) << "warn" << notSaved << percent;
        QTest::newRow("save dialog" + at) << "save" << name << percent;
        QTest::newRow("print button's menu" + at) << "menu" << QString() << percent;
    }
}

void TestDialogZoom::boxesAreLaidOutAtTheZoom()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, percent);
    const double factor = percent / 100.0;
    WindowFixture f;
    const std::unique_ptr<QWidget> design = Open(f, kind, text, 100, folder_.path());
    const std::unique_ptr<QWidget> box = Open(f, kind, text, percent, folder_.path());
    QVERIFY(design && box);

    QCOMPARE(box->font().pointSizeF(), QApplication::font(box.get()).pointSizeF() * factor);
    const QStringList cut = Cut(box.get());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    // Text, margins, icons and frames all grow, so the whole box grows with
    // them; a box that only took the larger font would cut it off.
    const QSizeF ratio = QSizeF(box->size()) / factor;
    QVERIFY2(qAbs(ratio.width() / design->width() - 1) < 0.15
                 && qAbs(ratio.height() / design->height() - 1) < 0.15,
             qPrintable(QStringLiteral("%1×%2 → %3×%4").arg(design->width()).arg(design->height())
                            .arg(box->width()).arg(box->height())));

    if (qobject_cast<const QMessageBox *>(box.get())) {
        const auto icon = [](const QWidget *b) {
            return b->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label"))
                ->pixmap().deviceIndependentSize();
        };
        QCOMPARE(icon(box.get()), icon(design.get()) * factor);
        // Laid out as the label lays it out, the path breaks only after a
        // "/" (an invisible break follows it).
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QTextLayout lines(label->text(), label->font());
        lines.beginLayout();
        for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
            line.setLineWidth(label->contentsRect().width());
            const int at = line.textStart();
            if (at > label->text().indexOf(QLatin1Char('/')) && at > 0)
                QCOMPARE(label->text().at(at - 1), QChar(0x200B));
        }
        lines.endLayout();
    }
}

// The boxes are measured on a player's 1920×1080 screen, and the file
// dialog keeps what it remembers in a folder of the test's own.
int main(int argc, char *argv[])
{
    QTemporaryDir config;
    QFile screen(config.filePath(QStringLiteral("screen.json")));
    if (!config.isValid() || !screen.open(QIODevice::WriteOnly))
        return 1;
    screen.write(R"({"screens": [{"name": "Player", "x": 0, "y": 0, "width": 1920,
                  "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestDialogZoom test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dialog_zoom.moc"
