#pragma once

// The authoring tool's own texts, UTF-8. Half-width katakana are part of the
// texts as users know them: never normalise them to full width.
namespace zelforge::texts {

inline constexpr const char *kErrorCaption = "ｴﾗｰ";

// Message box flags, the values platform::MessageFlags gives the windows;
// repeated here so the logic needs no GUI headers.
inline constexpr int kBoxOk = 0;     // OK, no icon
inline constexpr int kBoxStop = 16;  // OK, stop icon

// Start-up.
inline constexpr const char *kLibraryMissing = "NVIEWLIB.DLL?";
inline constexpr const char *kLibraryMissingCaption = "?";
inline constexpr const char *kMainCaption = "Zelforge";

// Settings dialog.
inline constexpr const char *kQualityNotNumeric = "JPEG品質は数値で入力してください。";
inline constexpr const char *kQualityOutOfRange = "JPEG品質は1～100で入力してください。";
inline constexpr const char *kNoDistributionFile = "作成する配布ファイルの名前を入力してください。";
// Follows the distribution file name as typed.
inline constexpr const char *kCannotCreateSuffix = "を作れません。";
inline constexpr const char *kPromptNotRecordable =
    "ﾌｫﾙﾀﾞ指定の文にShift-JISで表せない文字か制御文字があります。";
inline constexpr const char *kFolderLogPrefix = "ﾌｫﾙﾀﾞ:";

// Authoring window instruction line.
inline constexpr const char *kStartText = "左上のﾌｧｲﾙﾘｽﾄから更新元のJPEGﾌｧｲﾙ(古いJPEG画像)を選びます";
inline constexpr const char *kSelectionText =
    "更新画像をﾍﾟｰｽﾄするか、更新画像ﾌｧｲﾙをｴｸｽﾌﾟﾛｰﾗからﾄﾞﾗｯｸﾞしてください(新しいJPEG,BMP等の画像ﾌｧｲﾙです)";
inline constexpr const char *kMarkingText =
    "画像を左ｸﾘｯｸで更新箇所の矩形の左上を右ｸﾘｯｸで右下を指定してOKを押してください";
inline constexpr const char *kNextFileText =
    "左上のﾌｧｲﾙﾘｽﾄから次の更新元のJPEGﾌｧｲﾙを選びます。もうない場合はﾒﾆｭｰから「作成して終了」を選びます";

// Intake.
inline constexpr const char *kClipboardNotImage = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞが画像ではありません";
inline constexpr const char *kSizeDiffers = "元画像と幅・高さが違います。";
// Each follows the old file's name.
inline constexpr const char *kOldFileUnreadableSuffix = " を開けません。ﾌｧｲﾙﾘｽﾄから選び直してください。";
inline constexpr const char *kNameNotRecordableSuffix =
    " はﾌｧｲﾙ名にShift-JISで表せない文字か制御文字があるため記録できません。";
inline constexpr const char *kOldFileTooLargeSuffix = " は2GB以上あるため記録できません。";

// Recording an entry. The log line is the entry number, ":", the old file's
// name and this.
inline constexpr const char *kEntryLogSuffix = "を追加";
// Ends every message of a recording that failed but may be tried again.
inline constexpr const char *kNotRecordedSuffix = "この矩形は記録していません。もう一度OKを押せます。";
inline constexpr const char *kJpegNotMade = "差分をJPEGにできませんでした。";
inline constexpr const char *kFilePrefix = "ﾌｧｲﾙ ";
// Each follows kFilePrefix and a path.
inline constexpr const char *kCannotReadSuffix = " を読めません。";
inline constexpr const char *kCannotWriteSuffix = " に書き込めません。";
// Follows the data file's path.
inline constexpr const char *kDataFileFullSuffix = " が2GB以上になるため、この矩形は記録できません。";


// Finishing and cancelling.
inline constexpr const char *kConfirmCaption = "確認";
inline constexpr const char *kConfirmFinish = "作成して終了?";
inline constexpr const char *kConfirmCancel = "ｷｬﾝｾﾙして終了?";
inline constexpr const char *kDoneCaption = "完了";
inline constexpr const char *kListBullet = "・";
inline constexpr const char *kCompletionLastLine = "をまとめて圧縮して配布します";
// Around the copies that failed, one "from → to" a line.
inline constexpr const char *kCopyFailedHead = "次のﾌｧｲﾙをｺﾋﾟｰできませんでした:";
inline constexpr const char *kCopyFailedTail =
    "zelfin.dat と zelfin.ini はできています。足りないﾌｧｲﾙを揃えてから配布してください。";

}  // namespace zelforge::texts
