#pragma once

#include "app/column_controls.h"
#include "app/draw_layer.h"
#include "widgets/image_list.h"
#include "app/services.h"
#include "extras/banner_rotation.h"
#include "game/descent.h"
#include "game/descent_view.h"
#include "game/game_state.h"
#include "print/sheet_source.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>

class PictureButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TokenButton;
class VelGif;
class MemberCount;
class PrizeList;

// frmKapuna: the one window of the game. It owns every control and the game
// state, wires the handlers and shows what the rules decide.
class MainWindow : public QWidget, private DescentView, private SheetSource
{
    Q_OBJECT

public:
    explicit MainWindow(const Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    GameState &State() { return state_; }
    BannerState &Banner() { return banner_; }
    DrawLayer &Drawing() { return drawing_; }
    ColumnControls &Columns() { return *columns_; }
    Descent &Run() { return descent_; }
    QTimer &Timer1() { return timer1_; }
    QTimer &TmrUpdown() { return tmrUpdown_; }
    bool KeyPreview() const { return keyPreview_; }

    // Controls by their names, for the subsystems and the tests.
    QLineEdit *txtInput() const { return txtInput_; }
    QListWidget *lstBul() const { return lstBul_; }
    QLineEdit *txtMember() const { return txtMember_; }
    PictureButton *picUpdown(int i) const { return picUpdown_[std::size_t(i)]; }
    PictureButton *picAdd() const { return picAdd_; }
    PictureButton *picDel() const { return picDel_; }
    PictureButton *picClear() const { return picClear_; }
    PictureButton *picOk() const { return picOk_; }
    PictureButton *picReset() const { return picReset_; }
    PictureButton *picEnd() const { return picEnd_; }
    PictureButton *picAbout() const { return picAbout_; }
    PictureButton *picHelp() const { return picHelp_; }
    PictureButton *picStart(int i) const { return picStart_[std::size_t(i)]; }
    PictureButton *picPrint() const { return picPrint_; }
    QWidget *Picture1() const { return picture1_; }
    VelGif *VelGif1() const { return velGif1_; }
    const ImageList &Images() const { return images_; }

    // The handlers, callable as the events would call them.
    void picOk_Click();
    void picReset_Click();
    void SelectStartMode(int index);
    void picEnd_Click();
    void picHelp_Click();
    void picAbout_Click();
    void picPrint_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls();
    void BuildTabOrder();
    void Load();
    void StartBanner();
    void RecordProgramFolder();
    void CentreOnScreen();
    void SetSetupControlsEnabled(bool enabled);
    std::int16_t MemberCountFromText() const;
    void InsertInTabOrder(QWidget *widget, int position);

    // DescentView
    void SetKeyPreview(bool on) override;
    void SetTimerRunning(bool on) override;
    bool TimerRunning() const override;
    void SetConfirmResetEnabled(bool enabled) override;
    void SetStartButtonEnabled(int i, bool enabled) override;
    void MovePen(int i, int x, int y) override;
    void ParkPen(int i, int centreX) override;
    QString PrizeText(int c) const override;
    void SetPrizeText(int c, const QString &text) override;
    void SetPrizeColour(int c, int colour) override;
    // Also what the result sheet prints in row i.
    QString NameText(int i) const override;
    void SetNameText(int i, const QString &text) override;
    void SetNameColour(int i, int colour) override;

    // SheetSource
    QPixmap StartPicture(int i) const override;
    QSizeF PenTemplateSizeMm() const override;

    Services services_;
    ImageList images_;
    GameState state_;
    BannerState banner_;
    DrawLayer drawing_;
    Descent descent_;
    QTimer timer1_;
    QTimer tmrUpdown_;
    bool keyPreview_ = false;
    bool shownOnce_ = false;

    QLineEdit *txtInput_ = nullptr;
    QListWidget *lstBul_ = nullptr;
    QLineEdit *txtMember_ = nullptr;
    TokenButton *cmdStart0_ = nullptr;
    QLineEdit *txtName0_ = nullptr;
    QLineEdit *txtbul0_ = nullptr;
    QLabel *imgPen0_ = nullptr;
    std::array<PictureButton *, 2> picUpdown_{};
    PictureButton *picAdd_ = nullptr;
    PictureButton *picDel_ = nullptr;
    PictureButton *picClear_ = nullptr;
    PictureButton *picOk_ = nullptr;
    PictureButton *picReset_ = nullptr;
    PictureButton *picEnd_ = nullptr;
    PictureButton *picAbout_ = nullptr;
    PictureButton *picHelp_ = nullptr;
    std::array<PictureButton *, 2> picStart_{};
    QWidget *picture1_ = nullptr;
    PictureButton *picPrint_ = nullptr;
    VelGif *velGif1_ = nullptr;
    ColumnControls *columns_ = nullptr;
    MemberCount *memberCount_ = nullptr;
    PrizeList *prizeList_ = nullptr;
    // Focus chain; destroyed name boxes drop out as null pointers.
    QList<QPointer<QWidget>> tabOrder_;
};
