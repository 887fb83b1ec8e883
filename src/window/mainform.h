#pragma once

// TForm1: Tintrel's main window. The name is the program's historical one (its first form), kept
// because stored keys such as "Form1.ClBtn1" carry it.

#include "engine/Color.h"
#include "engine/HtmlText.h"
#include "engine/OrivUtil.h"
#include "engine/OutputKind.h"
#include "engine/PreviewCanvas.h"
#include "engine/Refresh.h"
#include "engine/UnicodeText.h"
#include "platform/DialogService.h"
#include "platform/Services.h"

#include <QFont>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <exception>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QPainter;
class QCheckBox;
class QComboBox;
class QFileInfo;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QTimer;

class TClipboardService;
class TColorDropButton;
class TColorLabel;
class TDialogService;
class TFileLauncher;
class TFontComboBox;
class TIniGT;
class TStyleLibrary;
struct TBadValue;
struct TOptionSet;
class TOutputChoice;
class TColourChoice;
struct TRefreshInput;
struct TStyleRecord;
class TPreviewBox;
class TGlyphCache;
class TQPainterCanvas;
class TTagVocabulary;
class TTransparentButton;

// How the window was closed, which decides whether a failed save may still show a box.
enum class TCloseReason { User, Signal, SessionEnd };

// The main window: text field, font, size and style controls, the gradient colours, the
// style library, the output commands and the preview that shows the gradient text.
class TForm1 final : public QMainWindow {
    Q_OBJECT

public:
    // The window reaches the desktop through `services`, every entry but the settings file
    // set, and hands them on to its colour buttons. Tests script them.
    explicit TForm1(TServices services, QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    static const QString kTitle;
    static constexpr int kStatusBarHeight = 19;
    static constexpr int kPreviewHeight = 104;
    static constexpr int kClientWidth = 393;
    static constexpr int kClientHeight = 328;

    // --- preview and HTML (mainform_preview.cpp)
    // Repaints the preview and rebuilds the HTML text at once (also while not on screen).
    void Refresh();
    // The preview's paint handler: draws on `canvas` and rebuilds the HTML text.
    void PaintBoxPaint(TPreviewCanvas& canvas);
    void CbSizeClick();
    // The HTML text of the last refresh (Shift-JIS).
    const THtmlText& HtmlText() const { return htmlText_; }
    // The drawing font size the last painted refresh used (after the smart preview).
    int LastDrawingSize() const { return lastDrawingSize_; }
    // The text field as Shift-JIS bytes, clusters that CP932 cannot hold with "&#N;" references.
    std::string TextBytes() const;
    // The output kind chosen in the options menu, and choosing one (without a refresh).
    TOutputKind OutputKind() const;
    void SetOutputKind(TOutputKind kind);
    // What the next refresh reads from the controls.
    TRefreshInput CurrentRefreshInput() const;
    // The options menu's item of an output kind; nullptr for a kind the window does not offer.
    QAction* CbFormat(TOutputKind kind) const;

    // --- colour, mode and style commands (mainform_commands.cpp)
    void ClBtn1Change();
    void ClBtn2Change();
    void ClBtnMColorChange();
    void ClBtnBkChange();
    void TbTriCoClick();
    void TbMirrorClick();
    void FlInvClick();
    void TbBoldClick(QObject* sender);
    void cbTableClick();

    // --- option set and style record (mainform_options.cpp)
    void LoadOptions(const std::string& section);
    void SaveOptions(const std::string& section);

    // --- style library (mainform_styles.cpp)
    void CbStyleChange();
    void Pm1Popup();
    void PmAddClick();
    void PmDelClick();
    void PmRenClick();
    void PmImpClick();
    void PmExpClick();

    // --- life cycle and small commands (mainform_lifecycle.cpp)
    void CbOptFontSizeClick();
    void FCBoxClick();
    // The name the font list shows `face` under in the window's language: the romanised name of
    // a Japanese Windows face in English, when the list has it; else `face` itself.
    QString ListedFace(const QString& face) const;
    // The face chosen in the font list, as the settings file and the HTML name it.
    QString ChosenFace() const;
    // The language of the text field as the css kind and its page name it.
    std::string FieldLanguage() const;
    void PmAboutClick();
    void Timer1Timer();
    void ShowHelp();
    // Saves the option group, the working state and the style list, as a close does. False
    // when the settings file could not be written; that is told on standard error and, for a
    // close by the user, in a message box.
    bool SaveState(TCloseReason reason);
    // Ends the program the way closing the window does (terminate signal, session end).
    void CloseFor(TCloseReason reason);
    // Puts a short message into the title; the one-second timer puts the title back.
    void ShowTitleMessage(const QString& message);

    // --- output (mainform_output.cpp)
    void TbCopyMouseDown(Qt::MouseButton button);
    void TbSaveClick();
    void FlClMouseDown(TColorLabel* label, Qt::MouseButton button);
    void FlClClick(int tag);

    // --- colour spaces, stops, rainbow, presets and contrast (mainform_colour.cpp)
    // The space the colours are mixed in, the stops, the rainbow and its phase: the window's
    // choices beside the design (the colours of Start, Middle and Finish are not used).
    const TGradient& ColourChoice() const;
    void SetColourChoice(const TGradient& choice);
    // "コントラストを修正": moves the lightness of the colours until every character passes.
    void PmFixContrastClick();
    // Applies the preset of `index` (kPresets in mainform_colour.cpp) like a style.
    void ApplyPreset(int index);
    // The stops editor: 2 to 16 colours as text "RRGGBB[@P],...".
    void PmStopsClick();
    // The rainbow's first hue, followed by the preview while chosen; choosing one turns the
    // rainbow on, Cancel puts both back.
    void PmPhaseClick();

    // --- pictures and formatted text (mainform_pictures.cpp)
    // "画像として保存…": the preview's drawing as a PNG or SVG file.
    void PmPictureClick();

    // The settings file in use (full path).
    QString SettingsFilePath() const;
    // The base font size read back from the caption of CbOptFontSize.
    int BaseFontSize() const;
    // The preview and HTML font and the text colour stored with it.
    const TPreviewFont& PreviewFont() const { return previewFont_; }
    TColor PreviewFontColor() const { return previewFontColor_; }
    TColor BackgroundColor() const { return backgroundColor_; }

    // Controls, named as the window's objects are.
    QLabel* Panel1 = nullptr; // the caption "テキスト" left of the text field
    QLineEdit* EdText = nullptr;
    QLabel* Panel2 = nullptr; // the caption "フォント" left of the font list; its menu copies the face
    TFontComboBox* FCBox = nullptr;
    TTransparentButton* TbBold = nullptr;
    TTransparentButton* TbItalic = nullptr;
    TTransparentButton* TbUnder = nullptr;
    TTransparentButton* TbStrike = nullptr;
    QLabel* Label7 = nullptr; // the caption "サイズ" above the size list
    QComboBox* CbSize = nullptr;
    QCheckBox* CbHead = nullptr;
    QFrame* Bv2 = nullptr;
    QFrame* Bv3 = nullptr;
    QLabel* Panel3 = nullptr; // the caption "色指定" left of the colour buttons
    TColorDropButton* ClBtn1 = nullptr;
    TColorDropButton* ClBtnM = nullptr;
    TColorDropButton* ClBtn2 = nullptr;
    TColorLabel* FlCl1 = nullptr;
    TColorLabel* FlClM = nullptr;
    TColorLabel* FlCl2 = nullptr;
    TTransparentButton* TbTriCo = nullptr;
    TTransparentButton* TbMirror = nullptr;
    TTransparentButton* TbInv = nullptr;
    QLabel* Panel4 = nullptr; // the caption "スタイル" left of the style list
    QComboBox* CbStyle = nullptr;
    TTransparentButton* TbCopy = nullptr;
    TTransparentButton* TbSave = nullptr;
    TTransparentButton* TbOption = nullptr;
    TColorDropButton* ClBtnBk = nullptr;
    TColorLabel* FlClBk = nullptr;
    QCheckBox* cbTable = nullptr;
    TPreviewBox* PaintBox = nullptr;
    QStatusBar* StBar = nullptr;
    // What holds while it applies (the references written, a text too short for a gradient), at
    // the status bar's right; hints and messages take the rest.
    QLabel* StNote = nullptr;
    QTimer* Timer1 = nullptr; // one second, then a message shown in the title gives way to it

    QMenu* PmOpt = nullptr;
    // CbOpt1 ... CbOpt9: the options menu's switches under their historical names, matching the
    // stored keys "Opt1" ... "Opt9"; accessors such as AskBeforeOverwrite() say what each one means.
    QAction* CbOpt1 = nullptr;
    QAction* CbOpt3 = nullptr;
    QAction* CbOpt4 = nullptr;
    QAction* CbOpt5 = nullptr;
    QAction* CbOpt6 = nullptr;
    QAction* CbOpt7 = nullptr;
    QAction* CbOpt8 = nullptr;
    QAction* CbOpt9 = nullptr;
    QAction* CbOptFontSize = nullptr;
    QAction* PmAbout = nullptr;
    // The output kind: a radio group of the options menu, an item for each kind the window
    // offers ("CbFormat" and the kind's name: CbFormatFont, CbFormatCss, ...).
    QActionGroup* FormatGroup = nullptr;

    QMenu* Pm1 = nullptr; // the style list's menu: add, delete, rename, import, export
    QAction* PmAdd = nullptr;
    QAction* PmDel = nullptr;
    QAction* PmRen = nullptr;
    QAction* PmImp = nullptr;
    QAction* PmExp = nullptr;

    QMenu* PmCopy = nullptr;
    QMenu* PmFont = nullptr;

    // Beyond the design: the preview's context menu with the picture command and the
    // formatted-copy switch (saved with the option group).
    QMenu* PmPreview = nullptr;
    QAction* PmPicture = nullptr;
    QAction* CbOptFormatted = nullptr;
    QAction* AcPreviewMenu = nullptr; // Ctrl+Shift+P opens PmPreview

    // Beyond the design: the colour space (a radio group, CbSpaceSrgb ... CbSpaceOklchLong), the
    // rainbow, the stops editor, the presets, the contrast note and its fix.
    QMenu* PmSpace = nullptr;
    QActionGroup* SpaceGroup = nullptr;
    QAction* CbRainbow = nullptr;
    QAction* PmPhase = nullptr;
    QAction* PmStops = nullptr;
    QMenu* PmPresets = nullptr;
    QAction* CbContrast = nullptr;
    QAction* PmFixContrast = nullptr;

    // Window shortcuts (mainform_access.cpp): copy, one-line copy, save, options menu.
    QAction* AcCopy = nullptr;
    QAction* AcCopyLine = nullptr;
    QAction* AcSave = nullptr;
    QAction* AcOption = nullptr;

    // The paste targets (mainform_targets.cpp): the options menu's submenu "Other targets" with
    // their kinds, "Shorten to fit", the length budget and taking a gradient from the clipboard;
    // the status bar's count of the output against its budget.
    QMenu* PmTargets = nullptr;
    QAction* CbFit = nullptr;
    QAction* PmBudget = nullptr;
    QAction* PmTakeGradient = nullptr;
    QLabel* LbBudget = nullptr;
    void PmBudgetClick();
    void PmTakeGradientClick();
    // The budget the chosen kind's output must fit: the one set in the options, else the
    // kind's own; 0 for none.
    std::size_t Budget() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // mainform.cpp: building the window
    void OpenSettings();
    void ReadWindowPosition();
    void KeepInsideScreens(QPoint fallback);
    void RunStartupStep(const std::function<void()>& step);
    void ShowPendingMessages();
    static void ReportOnStandardError(const QString& message);
    void LayoutDockedControls();
    void SetBaseFontSize(int points);
    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormKeyDown(QKeyEvent* event);
    // The hint of `widget` or of the nearest parent that has one, as the status bar shows it.
    QString HintOf(const QWidget* widget) const;
    // Shows `hint` while the pointer rests on its control; without one, the standing text: the
    // last command's result and what the last refresh found.
    void ShowHint(const QString& hint);
    // A command's result (the contrast fixed, a gradient taken): stays in the status bar, between
    // hovers, until a refresh writes another output.
    void ShowResult(const QString& result);
    QString StandingText() const;
    // Whether the status bar cuts `text` at its width.
    bool StatusTextCut(const QString& text) const;

    // mainform_access.cpp: the keyboard's paths, the tab order and what assistive tools hear
    void SetUpKeyboardAndAccess();
    void SetTabOrder();
    void CreateShortcuts();
    void SetAccessibleTexts();
    // Shift+F10 asks the focused control for its context menu, as the Menu key does.
    bool KeyboardMenuKey(QKeyEvent* event);
    // The Menu key or Shift+F10 on a colour button or the font list opens the snippet menu of
    // the colour label below it or of the font panel.
    bool KeyboardContextMenu(QWidget* widget, QContextMenuEvent* event);
    // A status line while the smart preview has shrunk the text below a readable size.
    void ReportSmallPreview(bool painted, int drawingPoints, int characters);

    // mainform_preview.cpp
    void PaintWithPainter(QPainter& painter);
    // The status bar's word on the text and the options: characters written as references,
    // options the chosen kind cannot write.
    void ReportStatus(const TRefreshInput& input);

    // mainform_targets.cpp
    void CreateTargetItems();
    // Shortens the last refresh's output to its budget when "Shorten to fit" is on, and shows
    // the count against the budget.
    void ApplyBudget(const TRefreshInput& input);
    // The title of "Other targets" names the kind chosen in it, so the main menu shows it.
    void ShowChosenTarget(const TOutputKindRow& kind);

    // mainform_options.cpp
    TOptionSet CaptureOptionSet() const;
    void ApplyOptionSet(const TOptionSet& options);
    TStyleRecord CaptureStyleRecord() const;
    void ApplyStyleRecord(const TStyleRecord& style);
    void ReportBadValues(const std::vector<TBadValue>& bad);
    void ReportSettingsProblem(const QString& message);
    // The option menu's switches the window consults, by what they mean.
    bool AskBeforeOverwrite() const { return CbOpt1->isChecked(); }
    bool FaceTagOn() const { return CbOpt3->isChecked(); }
    bool SmartPreviewOff() const { return CbOpt4->isChecked(); }
    bool OpenAfterSave() const { return CbOpt5->isChecked(); }
    bool CommentOn() const { return CbOpt6->isChecked(); }
    bool LogicalTagsOn() const { return CbOpt7->isChecked(); }
    bool BreakInFontTag() const { return CbOpt8->isChecked(); }
    bool UpperCaseTags() const { return CbOpt9->isChecked(); }

    // mainform_styles.cpp
    void ReadStyleList();
    // CbStyle shows the library's names, in its order, with `selected` chosen (-1: none).
    void ShowStyleList(int selected);
    // True when `name` may name a style; otherwise the user has been told why not.
    bool AcceptStyleName(const std::string& name);
    // A style name as typed and in Shift-JIS.
    struct TStyleName {
        QString Typed;
        std::string Bytes;
    };
    // Asks for a style name in an input box starting at `initial`. Nothing when the user
    // cancels, keeps `initial` while `sameIsCancel`, or types a name that cannot name a style;
    // the user has been told why (`unheldRefusal`, with %1 the character, for one that
    // Shift-JIS cannot hold).
    std::optional<TStyleName> AskStyleName(const QString& caption, const QString& prompt,
                                           const QString& initial, bool sameIsCancel,
                                           const QString& unheldRefusal);
    void ShowError(const std::exception& error);
    // mainform_colour.cpp
    void CreateColourItems();
    // The status bar's word on contrast, when the check is on and a character falls short.
    QString ContrastNote(const TRefreshInput& input) const;
    // The stops with the colour buttons' colours at the first, middle (odd counts) and last.
    std::vector<TColorStop> StopsWithButtons() const;
    // mainform_pictures.cpp
    void CreatePictureItems();
    // Puts an HTML text on the clipboard, with its formatted text beside it when the option
    // asks for it.
    void CopyHtml(const QString& html);

    // mainform_output.cpp
    // False when option 1 asks before replacing files, `target` exists and the user says no.
    bool MayReplaceFile(const QString& target);
    // The folder pages were last saved to, as the settings file keeps it; empty when it cannot
    // be read (the dialog then opens in the desktop's own folder).
    QString LastSaveFolder() const;
    // Writes `bytes` to `file` crash-safely through the window's file operations. A failure is
    // told in a box (`failure`, with %1 the reason) and false returned; a save in the title.
    bool SaveAndReport(const QFileInfo& file, std::string_view bytes, const QString& failure,
                       const QString& saved);
    // mainform_commands.cpp
    void StoreColor(TColorDropButton* button, TOrivRGB& record, TColorLabel* label);
    void CopyCustomColors(TColorDropButton* from, TColorDropButton* to1, TColorDropButton* to2);
    void SetMiddleEnabled(bool enabled);
    void ApplyPreviewFontToStyleButtons();

    TServices services_;
    // The output's kind, budget and fitting, shown by FormatGroup and CbFit.
    std::unique_ptr<TOutputChoice> output_;
    // The colour space, the stops, the rainbow and its phase, shown by SpaceGroup and CbRainbow.
    std::unique_ptr<TColourChoice> colours_;
    std::unique_ptr<TIniGT> IniGT;
    std::unique_ptr<TStyleLibrary> styles_;

    TPreviewFont previewFont_;
    TColor previewFontColor_ = clWindowText;
    TOrivRGB startColor_;
    TOrivRGB finishColor_;
    TOrivRGB middleColor_;
    TColor backgroundColor_ = clBtnFace;
    THtmlText htmlText_;
    TRefreshInput lastRefreshInput_; // what the HTML text was built from
    TPictureChoice pictureChoice_;
    int pictureFileType_ = 1;
    QString pictureFolder_;
    class TTagReporter;
    std::unique_ptr<TTagReporter> tagReporter_;
    std::unique_ptr<TTagVocabulary> tg_;
    std::unique_ptr<TGlyphCache> glyphCache_;
    std::string rememberedColorText_;

    int minimumClientWidth_ = 0;
    int fixedClientHeight_ = 0;
    bool firstShowDone_ = false;
    bool resizeRulesOn_ = false;
    bool painted_ = false;
    int lastDrawingSize_ = 0;
    QString lastStatusText_;
    QString targetsTitle_; // the title of "Other targets" with its access key, naming no kind
    QString keptResult_;
    std::string keptResultOutput_; // the output the kept result was said about
    QString lastSmallPreviewText_;
    QStringList pendingMessages_;
    // Every message already said about the settings file, so a close that fails for the same
    // reason (a file in an encoding that is not written, say) does not say it again.
    QStringList toldMessages_;
    TCloseReason closeReason_ = TCloseReason::User;
    // Set when the window starts to close; from then on no message box opens.
    bool closing_ = false;
};
