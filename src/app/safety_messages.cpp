// The texts of the failed-save, damaged-file and recovery messages, and the system's reasons in Japanese.
#include "app/safety_messages.h"

#include <array>
#include <cerrno>
#include <utility>

namespace app {
namespace {

// The reasons a user meets when a file cannot be written, in Japanese. strerror speaks the language of an
// installed locale only, and a Japanese one is rarely installed; anything missing here keeps its own words.
constexpr std::array<std::pair<int, const char*>, 17> kReasons = {{
    {EACCES, "アクセスが拒否されました"},
    {EPERM, "この操作は許可されていません"},
    {EROFS, "読み取り専用のファイルシステムです"},
    {ENOSPC, "ディスクの空き領域が足りません"},
    {EDQUOT, "ディスク使用量の上限を超えました"},
    {EFBIG, "ファイルサイズの上限を超えました"},
    {EIO, "ディスクの読み書きでエラーが発生しました"},
    {ENOENT, "ファイルまたはフォルダーが見つかりません"},
    {ENOTDIR, "パスの途中にフォルダーでないものがあります"},
    {EISDIR, "同じ名前のフォルダーがあります"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {ELOOP, "シンボリックリンクが多すぎるか、循環しています"},
    {EMFILE, "開いているファイルが多すぎます"},
    {ENFILE, "開いているファイルが多すぎます"},
    {ENOMEM, "メモリが足りません"},
    {EBUSY, "ファイルが使用中です"},
    {ESTALE, "ネットワーク上のファイルが使えなくなりました"},
}};

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// "原因: reason", with the file in front when the failure is about another file than `mainFile`.
QString CauseLine(const platform::FileResult& failure, const std::filesystem::path& mainFile) {
  QString line = QStringLiteral("原因: ");
  if (!failure.File.empty() && failure.File != mainFile) line += Path(failure.File) + QStringLiteral(": ");
  return line + ReasonText(failure);
}

}  // namespace

const QString kRecoveryQuestion = QStringLiteral(
    "前回は保存されないまま終了しました。そのときのページが残っています。\r\n\r\n"
    "・残っているページを復元する場合は [はい] をクリックしてください。\r\n"
    "・破棄する場合は [いいえ] をクリックしてください。");

QString ReasonText(const platform::FileResult& failure) {
  const QString own = QString::fromStdString(failure.Reason.empty() ? failure.Error : failure.Reason);
  for (const auto& [err, japanese] : kReasons) {
    if (err == failure.Errno) return QString::fromUtf8(japanese) + QStringLiteral(" (") + own + QLatin1Char(')');
  }
  return own;
}

QString SaveFailedMessage(const std::filesystem::path& dataFile, const platform::FileResult& failure,
                          const platform::FileResult& rescue) {
  QString text = QStringLiteral("ファイルの保存に失敗しました。\r\n") + Path(dataFile) + QStringLiteral("\r\n") +
                 CauseLine(failure, dataFile);
  if (!failure.SafetyCopy.empty()) text += QStringLiteral("\r\nデータファイルは書き換えの途中で止まっています。");
  if (rescue.Ok) {
    return text + QStringLiteral("\r\n\r\nすべてのページを次のファイルに保存しました。\r\n") + Path(rescue.File);
  }
  return text + QStringLiteral("\r\n\r\nページを別のファイルにも保存できませんでした。\r\n") +
         CauseLine(rescue, std::filesystem::path()) +
         QStringLiteral(
             "\r\nページはこのウィンドウに残っています。保存できるようにしてから、もう一度終了してください。");
}

QString SettingsFailedMessage(const platform::FileResult& failure) {
  QString text = QString::fromStdString(failure.Error) + QStringLiteral("\r\n") + CauseLine(failure, failure.File);
  if (failure.SafetyCopy.empty()) return text;
  return text + QStringLiteral("\r\n設定は次のファイルに保存しました。\r\n") + Path(failure.SafetyCopy);
}

QString DamagedFileMessage(const platform::FileResult& copy) {
  const QString text =
      QStringLiteral("データファイルに読み込めない部分がありました。読み込めたページだけを表示しています。\r\n");
  if (copy.Ok) return text + QStringLiteral("元のファイルは次の名前で残してあります。\r\n") + Path(copy.File);
  return text +
         QStringLiteral(
             "元のファイルの控えを作れませんでした。控えができるまで、データファイルは書き換えません。\r\n") +
         CauseLine(copy, std::filesystem::path());
}

}  // namespace app
