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

}  // namespace zelforge::texts
