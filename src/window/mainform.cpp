// Building the main window: its controls at their places, the menus, the hints in the status
// bar, and the wiring of every handler.
#include "window/mainform.h"
#include "window/WidgetHint.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/ComboBoxAccessible.h"
#include "controls/ControlResources.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "engine/TagVocabulary.h"
#include "platform/DialogService.h"
#include "platform/FileLauncher.h"
#include "store/IniGT.h"
#include "store/StyleLibrary.h"
#include "window/AccessKeys.h"
#include "window/ColorLabel.h"
#include "window/ColourChoice.h"
#include "window/OutputChoice.h"
#include "window/OutputKindText.h"
#include "window/PreviewBox.h"
#include "window/QPainterCanvas.h"
#include "window/WindowsFaceFontSource.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>

#include <limits>

const QString TForm1::kTitle = QStringLiteral("Tintrel 1.31");

namespace {

QLabel* MakePanel(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* panel = new QLabel(caption, parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setGeometry(geometry);
    return panel;
}

QAction* MakeOption(QMenu* menu, const char* name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    return item;
}

// The object name of an output kind's menu item: "CbFormat" and the kind's name, each word
// capitalised ("amp-hex" gives CbFormatAmpHex).
std::string FormatItemName(std::string_view kind) {
    std::string name = "CbFormat";
    bool capital = true;
    for (const char c : kind) {
        if (c == '-') {
            capital = true;
            continue;
        }
        name += capital && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        capital = false;
    }
    return name;
}

} // namespace

// A word missing from the tag vocabulary is shown in a box; building goes on without it.
class TForm1::TTagReporter final : public TTagLookupReporter {
public:
    explicit TTagReporter(TForm1& form) : form_(form) {}
    void TagNotFound(std::string_view /*key*/, std::string_view message) override {
        form_.services_.Dialogs->ShowMessage(&form_, QStringLiteral("Tintrel"),
                                             QString::fromStdString(std::string(message)),
                                             TMessageKind::Information);
    }

private:
    TForm1& form_;
};

TForm1::TForm1(TServices services, QWidget* parent) : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("Form1"));
    tagReporter_ = std::make_unique<TTagReporter>(*this);
    tg_ = std::make_unique<TTagVocabulary>();
    glyphCache_ = std::make_unique<TGlyphCache>();
    tg_->SetReporter(tagReporter_.get());
    previewFont_ = TPreviewFont{Utf8ToCp932("ＭＳ Ｐゴシック").Bytes, 9, 0};

    // Sizeable, with a system menu and a minimise box, but no maximise box: the height is fixed.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    SetHint(this, tr("F1キーでヘルプを表示します"));

    CreateControls();
    CreateMenus();
    ConnectHandlers();
    SetUpKeyboardAndAccess();
    qApp->installEventFilter(this);
    FormCreate();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
}

void TForm1::CreateControls() {
    // Before the first control: the text field's and the boxes' interfaces for screen readers.
    InstallStandardControlsAccessible();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);

    Panel1 = MakePanel(client, "Panel1", tr("テキスト"), {4, 4, 49, 21});
    EdText = new QLineEdit(QStringLiteral("Tintrel"), client);
    EdText->setObjectName(QStringLiteral("EdText"));
    EdText->setGeometry(56, 4, 333, 21);
    // No length limit of its own: a long pasted text is coloured whole.
    EdText->setMaxLength(std::numeric_limits<int>::max());
    SetHint(EdText, tr("リターンキーでプレビューを更新します"));

    Panel2 = MakePanel(client, "Panel2", tr("フォント"), {4, 32, 49, 21});
    SetHint(Panel2, tr("右クリックで選択したフォント名をクリップボードにコピーします。"));
    Panel2->setContextMenuPolicy(Qt::CustomContextMenu);
    FCBox = new TFontComboBox(std::make_unique<TWindowsFaceFontSource>(*services_.Fonts), client);
    FCBox->setObjectName(QStringLiteral("FCBox"));
    FCBox->setGeometry(56, 32, 225, 19);
    SetHint(FCBox, tr("フォントを選択します。コピーするには左側のパネルを右クリックします。"));

    const struct {
        TTransparentButton** button;
        const char* name;
        int left;
        const char* hint;
    } styleButtons[] = {
        {&TbBold, "TbBold", 287, QT_TR_NOOP("太字にします")},
        {&TbItalic, "TbItalic", 313, QT_TR_NOOP("斜体にします")},
        {&TbUnder, "TbUnder", 339, QT_TR_NOOP("下線をつけます")},
        {&TbStrike, "TbStrike", 365, QT_TR_NOOP("取消線をつけます")},
    };
    int tag = 0;
    for (const auto& entry : styleButtons) {
        auto* button = new TTransparentButton(client);
        button->setObjectName(QLatin1String(entry.name));
        button->setGeometry(entry.left, 30, 25, 25);
        button->SetGlyph(LoadResourceBitmap(GlyphResourcePath(button->objectName())));
        button->SetTag(tag++);
        SetHint(button, tr(entry.hint));
        *entry.button = button;
    }

    Label7 = new QLabel(tr("サイズ"), client);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(56, 60, 34, 12);
    CbSize = new QComboBox(client);
    CbSize->setObjectName(QStringLiteral("CbSize"));
    CbSize->setGeometry(96, 56, 57, 20);
    CbSize->addItems({QStringLiteral("0"), QStringLiteral("+1"), QStringLiteral("+2"), QStringLiteral("+3"),
                      QStringLiteral("+4")});
    SetHint(CbSize, tr("フォントのサイズを指定します。0で指定を行いません。"));
    CbHead = new QCheckBox(tr("頭文字は＋１"), client);
    CbHead->setObjectName(QStringLiteral("CbHead"));
    CbHead->setGeometry(160, 60, 89, 17);
    SetHint(CbHead, tr("頭文字だけフォントサイズを+1します。プレビューには反映しません。"));

    Bv2 = new QFrame(client);
    Bv2->setObjectName(QStringLiteral("Bv2"));
    Bv2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bv2->setGeometry(0, 80, 393, 2);
    Bv3 = new QFrame(client);
    Bv3->setObjectName(QStringLiteral("Bv3"));
    Bv3->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bv3->setGeometry(0, 132, 393, 2);

    Panel3 = MakePanel(client, "Panel3", tr("色指定"), {4, 94, 49, 37});
    const QString labelHint = tr("右クリックするとRGB値をクリップボードにコピーします");
    auto makeColorButton = [this, client](const char* name, QRect geometry) {
        auto* button = new TColorDropButton(services_, client);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(geometry);
        button->SetFlat(true);
        button->SetCycleColors(true);
        button->SetOtherBtnCaption(tr("&Other"));
        button->SetOtherColor(clBtnFace);
        return button;
    };
    auto makeColorLabel = [client, &labelHint](const char* name, QRect geometry) {
        auto* label = new TColorLabel(client);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(geometry);
        SetHint(label, labelHint);
        return label;
    };
    ClBtn1 = makeColorButton("ClBtn1", {56, 92, 65, 25});
    SetHint(ClBtn1, tr("左側（外側）の色を選択します"));
    ClBtnM = makeColorButton("ClBtnM", {124, 92, 65, 25});
    ClBtnM->setEnabled(false);
    ClBtn2 = makeColorButton("ClBtn2", {192, 92, 65, 25});
    SetHint(ClBtn2, tr("右側（内側）の色を選択します"));
    FlCl1 = makeColorLabel("FlCl1", {64, 116, 40, 16});
    FlClM = makeColorLabel("FlClM", {132, 116, 40, 16});
    FlClM->setEnabled(false);
    FlCl2 = makeColorLabel("FlCl2", {200, 116, 40, 16});

    auto makeToolButton = [client](const char* name, QRect geometry, const QString& caption) {
        auto* button = new TTransparentButton(client);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(geometry);
        button->SetGlyph(LoadResourceBitmap(GlyphResourcePath(button->objectName())));
        button->SetAutoGray(false);
        // Square buttons carry their caption under the glyph, the wide ones to its right.
        button->SetTextAlign(geometry.width() == geometry.height() ? ttaBottom : ttaRight);
        button->SetCaption(caption);
        return button;
    };
    TbTriCo = makeToolButton("TbTriCo", {260, 92, 41, 41}, tr("３色"));
    TbMirror = makeToolButton("TbMirror", {304, 92, 41, 41}, tr("折返"));
    SetHint(TbMirror, tr("中央でグラデーションを折り返します"));
    TbInv = makeToolButton("TbInv", {348, 92, 41, 41}, tr("反転"));
    SetHint(TbInv, tr("左右の色を入れ替えます"));

    Panel4 = MakePanel(client, "Panel4", tr("スタイル"), {4, 142, 49, 21});
    CbStyle = new QComboBox(client);
    CbStyle->setObjectName(QStringLiteral("CbStyle"));
    CbStyle->setGeometry(56, 141, 333, 21);
    CbStyle->setContextMenuPolicy(Qt::CustomContextMenu);
    SetHint(CbStyle, tr("スタイルの呼出・読込などを行います（右クリックでメニュー）"));

    TbCopy = makeToolButton("TbCopy", {4, 166, 61, 35}, tr("コピー "));
    SetHint(TbCopy, tr("HTMLをコピーします（右クリック：１行）"));
    TbSave = makeToolButton("TbSave", {68, 166, 61, 35}, tr("保存 "));
    SetHint(TbSave, tr("HTMLをファイルにセーブします"));
    TbOption = makeToolButton("TbOption", {134, 166, 87, 35}, tr("オプション "));
    SetHint(TbOption, tr("オプションを設定します"));

    ClBtnBk = makeColorButton("ClBtnBk", {244, 164, 65, 25});
    // The start and background buttons keep their custom colours for the next run.
    for (TColorDropButton* button : {ClBtn1, ClBtnBk}) {
        button->SetCustomColorsKey(QStringLiteral("Software\\OrivSoft\\Tintrel"));
    }
    for (TColorDropButton* button : {ClBtn1, ClBtnM, ClBtn2, ClBtnBk}) {
        button->Loaded();
    }
    SetHint(ClBtnBk, tr("背景色を選択します"));
    FlClBk = makeColorLabel("FlClBk", {252, 188, 48, 16});
    cbTable = new QCheckBox(tr("テーブル"), client);
    cbTable->setObjectName(QStringLiteral("cbTable"));
    cbTable->setGeometry(316, 172, 65, 17);
    SetHint(cbTable, tr("文字の周りだけ背景色で塗ります（テーブル形式）"));

    PaintBox = new TPreviewBox(client);
    PaintBox->setObjectName(QStringLiteral("PaintBox"));
    SetHint(PaintBox, tr("サンプル表示領域です。フォント名を有効にするにはオプションを使います。"));

    StBar = new QStatusBar(this);
    StBar->setObjectName(QStringLiteral("StBar"));
    StBar->setSizeGripEnabled(false);
    StBar->setFixedHeight(kStatusBarHeight);
    // A line divides the status bar from the preview above, as the desktop's own programs show.
    StBar->setStyleSheet(QStringLiteral("QStatusBar { border-top: 1px solid palette(mid); }"));
    setStatusBar(StBar);
    StNote = new QLabel(StBar);
    StNote->setObjectName(QStringLiteral("StNote"));
    StNote->hide();
    StBar->addPermanentWidget(StNote);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void TForm1::CreateMenus() {
    PmOpt = new QMenu(this);
    PmOpt->setObjectName(QStringLiteral("PmOpt"));
    CbOpt3 = MakeOption(PmOpt, "CbOpt3", tr("face='...' タグを有効にする"));
    CbOpt7 = MakeOption(PmOpt, "CbOpt7", tr("太字・斜体は論理タグにする"));
    CbOpt6 = MakeOption(PmOpt, "CbOpt6", tr("HTML作成時にコメント付加"));
    CbOpt8 = MakeOption(PmOpt, "CbOpt8", tr("FONTタグ内で改行する"));
    CbOpt9 = MakeOption(PmOpt, "CbOpt9", tr("タグは大文字にする"));
    PmOpt->addSeparator();
    FormatGroup = new QActionGroup(this);
    FormatGroup->setExclusive(true);
    PmTargets = new QMenu(tr("その他の貼り付け先"), this);
    PmTargets->setObjectName(QStringLiteral("PmTargets"));
    for (const TOutputKindRow& kind : OutputKinds()) {
        if (!kind.InWindow) {
            continue;
        }
        QAction* item = MakeOption(kind.OtherTarget ? PmTargets : PmOpt, FormatItemName(kind.Name).c_str(),
                                   OutputKindText(kind.Caption));
        item->setStatusTip(OutputKindText(kind.Hint));
        item->setData(static_cast<int>(kind.Kind));
        FormatGroup->addAction(item);
    }
    CreateTargetItems();
    output_ = std::make_unique<TOutputChoice>(*FormatGroup, *CbFit);
    CbFormat(DefaultOutputKind())->setChecked(true);
    PmOpt->addSeparator();
    CbOpt4 = MakeOption(PmOpt, "CbOpt4", tr("ｽﾏｰﾄﾌﾟﾚﾋﾞｭｰを無効にする"));
    CbOpt5 = MakeOption(PmOpt, "CbOpt5", tr("HTML保存時に開く"));
    CbOpt1 = MakeOption(PmOpt, "CbOpt1", tr("保存時に上書きの警告をする"));
    CbOptFontSize = PmOpt->addAction(QString());
    CbOptFontSize->setObjectName(QStringLiteral("CbOptFontSize"));
    SetBaseFontSize(11);
    PmOpt->addSeparator();
    PmAbout = PmOpt->addAction(tr("Tintrelについて"));
    PmAbout->setObjectName(QStringLiteral("PmAbout"));
    CbOpt1->setChecked(true);
    CbOpt9->setChecked(true);

    Pm1 = new QMenu(this);
    Pm1->setObjectName(QStringLiteral("Pm1"));
    PmAdd = Pm1->addAction(tr("リストに追加／変更を保存"));
    PmAdd->setObjectName(QStringLiteral("PmAdd"));
    PmDel = Pm1->addAction(tr("リストから削除"));
    PmDel->setObjectName(QStringLiteral("PmDel"));
    PmRen = Pm1->addAction(tr("名前を変更"));
    PmRen->setObjectName(QStringLiteral("PmRen"));
    Pm1->addSeparator();
    PmImp = Pm1->addAction(tr("tsy ファイルから読み取る"));
    PmImp->setObjectName(QStringLiteral("PmImp"));
    PmExp = Pm1->addAction(tr("tsy ファイルに書き出す"));
    PmExp->setObjectName(QStringLiteral("PmExp"));

    PmCopy = new QMenu(this);
    PmCopy->setObjectName(QStringLiteral("PmCopy"));
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        int tag;
        bool separatorBefore;
    } copyItems[] = {
        {"COLOR1", QT_TR_NOOP("COLOR"), QT_TR_NOOP("COLOR='#rrggbb' 形式でコピー"), 0, false},
        {"BGCOLOR1", QT_TR_NOOP("BGCOLOR"), QT_TR_NOOP("BGCOLOR='#rrggbb' 形式でコピー"), 1, false},
        {"RGB1", QT_TR_NOOP("RGB"), QT_TR_NOOP("rrggbb 形式でコピー"), 2, false},
        {"BORDERCOLOR1", QT_TR_NOOP("BORDER COLOR"), "", 3, true},
    };
    for (const auto& entry : copyItems) {
        if (entry.separatorBefore) {
            PmCopy->addSeparator();
        }
        QAction* item = PmCopy->addAction(tr(entry.caption));
        item->setObjectName(QLatin1String(entry.name));
        item->setStatusTip(*entry.hint != '\0' ? tr(entry.hint) : QString());
        item->setData(entry.tag);
    }

    PmFont = new QMenu(this);
    PmFont->setObjectName(QStringLiteral("PmFont"));
    const struct {
        const char* name;
        const char* caption;
        int tag;
        bool separatorBefore;
    } fontItems[] = {
        {"FONTonly1", QT_TR_NOOP("フォント名"), 10, false},
        {"FONTFACE1", QT_TR_NOOP("FACE"), 11, false},
        {"FONTFAMILY1", QT_TR_NOOP("FONT-FAMILY"), 12, true},
    };
    for (const auto& entry : fontItems) {
        if (entry.separatorBefore) {
            PmFont->addSeparator();
        }
        QAction* item = PmFont->addAction(tr(entry.caption));
        item->setObjectName(QLatin1String(entry.name));
        item->setData(entry.tag);
    }
}

void TForm1::ConnectHandlers() {
    connect(EdText, &QLineEdit::returnPressed, this, &TForm1::Refresh);
    connect(FCBox, &TFontComboBox::changed, this, &TForm1::FCBoxClick);
    for (TTransparentButton* button : {TbBold, TbItalic, TbUnder, TbStrike}) {
        connect(button, &TTransparentButton::clicked, this, &TForm1::TbBoldClick);
    }
    connect(CbSize, &QComboBox::activated, this, &TForm1::CbSizeClick);
    connect(ClBtn1, &TColorDropButton::colorChanged, this, &TForm1::ClBtn1Change);
    connect(ClBtn2, &TColorDropButton::colorChanged, this, &TForm1::ClBtn2Change);
    connect(ClBtnM, &TColorDropButton::colorChanged, this, &TForm1::ClBtnMColorChange);
    connect(ClBtnBk, &TColorDropButton::colorChanged, this, &TForm1::ClBtnBkChange);
    for (TColorLabel* label : {FlCl1, FlClM, FlCl2, FlClBk}) {
        connect(label, &TColorLabel::mouseDown, this, &TForm1::FlClMouseDown);
    }
    connect(TbTriCo, &TTransparentButton::clicked, this, &TForm1::TbTriCoClick);
    connect(TbMirror, &TTransparentButton::clicked, this, &TForm1::TbMirrorClick);
    connect(TbInv, &TTransparentButton::clicked, this, &TForm1::FlInvClick);
    connect(cbTable, &QCheckBox::clicked, this, &TForm1::cbTableClick);
    // The first letter's size shows only in the HTML, which must follow the check box.
    connect(CbHead, &QCheckBox::clicked, this, &TForm1::Refresh);

    connect(CbStyle, &QComboBox::activated, this, &TForm1::CbStyleChange);
    connect(CbStyle, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        Pm1Popup();
        Pm1->popup(CbStyle->mapToGlobal(at));
    });
    connect(PmAdd, &QAction::triggered, this, &TForm1::PmAddClick);
    connect(PmDel, &QAction::triggered, this, &TForm1::PmDelClick);
    connect(PmRen, &QAction::triggered, this, &TForm1::PmRenClick);
    connect(PmImp, &QAction::triggered, this, &TForm1::PmImpClick);
    connect(PmExp, &QAction::triggered, this, &TForm1::PmExpClick);

    connect(TbCopy, &TTransparentButton::mouseDown, this,
            [this](TTransparentButton*, Qt::MouseButton button) { TbCopyMouseDown(button); });
    connect(TbSave, &TTransparentButton::clicked, this, &TForm1::TbSaveClick);
    TbOption->SetPopUpMenu(PmOpt);
    connect(Panel2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PmFont->popup(Panel2->mapToGlobal(at)); });
    for (QAction* item : PmCopy->actions() + PmFont->actions()) {
        if (!item->isSeparator()) {
            connect(item, &QAction::triggered, this, [this, item] { FlClClick(item->data().toInt()); });
        }
    }

    // A menu opened from code has no widget to pass its item hints up to, so the window
    // follows the highlighted item itself.
    for (QMenu* menu : {PmOpt, PmTargets, Pm1, PmCopy, PmFont}) {
        connect(menu, &QMenu::hovered, this, [this](QAction* item) { ShowHint(item->statusTip()); });
    }

    for (QAction* item : {CbOpt1, CbOpt3, CbOpt4, CbOpt5, CbOpt6, CbOpt7, CbOpt8, CbOpt9}) {
        // The menu has inverted the check mark already when it reports the choice.
        connect(item, &QAction::triggered, this, &TForm1::Refresh);
    }
    for (QAction* item : FormatGroup->actions()) {
        connect(item, &QAction::triggered, this, &TForm1::Refresh);
    }
    connect(CbFit, &QAction::triggered, this, &TForm1::Refresh);
    connect(PmBudget, &QAction::triggered, this, &TForm1::PmBudgetClick);
    connect(PmTakeGradient, &QAction::triggered, this, &TForm1::PmTakeGradientClick);
    connect(CbOptFontSize, &QAction::triggered, this, &TForm1::CbOptFontSizeClick);
    connect(PmAbout, &QAction::triggered, this, &TForm1::PmAboutClick);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    PaintBox->OnPaint = [this](QPainter& painter) { PaintWithPainter(painter); };
    CreatePictureItems();
    CreateColourItems();
    CbOptFontSize->setProperty(kNoAccessKey, true);
    for (QMenu* menu : {PmOpt, PmPreview, Pm1, PmCopy, PmFont}) {
        GiveAccessKeys(*menu);
    }
    targetsTitle_ = PmTargets->title();
}

QString TForm1::HintOf(const QWidget* widget) const {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        QString hint = widget->property(kHintProperty).toString();
        if (!hint.isEmpty()) {
            return hint;
        }
        if (widget == this) {
            break;
        }
    }
    return {};
}

void TForm1::ShowHint(const QString& hint) {
    // The window's own hint (the way to help) gives way to a standing text.
    const QString standing = StandingText();
    const QString shown = hint.isEmpty() || (hint == HintOf(this) && !standing.isEmpty()) ? standing : hint;
    if (shown.isEmpty()) {
        StBar->clearMessage();
    } else {
        StBar->showMessage(shown);
    }
    // A text wider than the bar is cut at its right: the whole of it under the pointer and for
    // a screen reader.
    const QString whole = StatusTextCut(shown) ? shown : QString();
    StBar->setToolTip(whole);
    StBar->setAccessibleDescription(whole);
}

bool TForm1::StatusTextCut(const QString& text) const {
    int room = StBar->width() - StBar->style()->pixelMetric(QStyle::PM_SizeGripSize);
    for (const QLabel* note : {StNote, LbBudget}) {
        if (note != nullptr && note->isVisible()) {
            room -= note->width();
        }
    }
    return StBar->fontMetrics().horizontalAdvance(text) > room;
}

QString TForm1::StandingText() const {
    QStringList parts;
    for (const QString& part : {keptResult_, lastStatusText_}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QStringLiteral("　"));
}

void TForm1::ShowResult(const QString& result) {
    keptResult_ = result;
    keptResultOutput_ = htmlText_.Written();
    ShowHint({});
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Enter:
        ShowHint(HintOf(widget));
        break;
    case QEvent::Leave:
        ShowHint(widget == this ? QString() : HintOf(widget->parentWidget()));
        break;
    case QEvent::KeyPress: {
        // A key the focused control leaves alone travels on to its parents; the window sees
        // it once, when it reaches the focused control, before the control does.
        QWidget* focused = QApplication::focusWidget();
        if (widget == (focused != nullptr ? focused : this) && FormKeyDown(static_cast<QKeyEvent*>(event))) {
            return true;
        }
        break;
    }
    case QEvent::ToolTip:
        // Hints belong in the status bar; there are no pop-up tips, but for the status bar's own
        // text when it is cut (and the notes beside it).
        if (widget == StBar || widget->parentWidget() == StBar) {
            break;
        }
        return true;
    case QEvent::ContextMenu:
        if (KeyboardContextMenu(widget, static_cast<QContextMenuEvent*>(event))) {
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Menu items report their hints this way.
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
