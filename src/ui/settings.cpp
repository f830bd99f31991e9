#include "ui/settings.h"

#include "formats/table_format.h"

#include <QSettings>
#include <QString>

namespace mojihyo::ui::settings {

namespace {

QSettings Store() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("MoJiHyo"),
                   QStringLiteral("MoJiHyo"));
}

std::optional<TableFormat> FormatNamed(const QString& name) {
  for (TableFormat f : kAllTableFormats)
    if (name == QString::fromLatin1(FormatName(f).data(), static_cast<qsizetype>(FormatName(f).size())))
      return f;
  return std::nullopt;
}

QString NameOf(TableFormat f) {
  return QString::fromLatin1(FormatName(f).data(), static_cast<qsizetype>(FormatName(f).size()));
}

constexpr DisplayEncoding kEncodings[] = {DisplayEncoding::Utf8, DisplayEncoding::EucJp,
                                          DisplayEncoding::ShiftJis, DisplayEncoding::Latin1};

}  // namespace

std::vector<RecentTable> RecentTables() {
  QSettings s = Store();
  std::vector<RecentTable> tables;
  const int n = s.beginReadArray(QStringLiteral("RecentTables"));
  for (int i = 0; i < n; ++i) {
    s.setArrayIndex(i);
    // Paths are kept as the bytes the system names the file by.
    const QByteArray path = s.value(QStringLiteral("path")).toByteArray();
    const auto format = FormatNamed(s.value(QStringLiteral("format")).toString());
    if (!path.isEmpty() && format) tables.push_back({path.toStdString(), *format});
  }
  s.endArray();
  if (tables.size() > kRecentTablesKept) tables.resize(kRecentTablesKept);
  return tables;
}

void SetRecentTables(const std::vector<RecentTable>& tables) {
  QSettings s = Store();
  s.remove(QStringLiteral("RecentTables"));
  s.beginWriteArray(QStringLiteral("RecentTables"), static_cast<int>(tables.size()));
  for (int i = 0; i < static_cast<int>(tables.size()); ++i) {
    s.setArrayIndex(i);
    const RecentTable& t = tables[static_cast<std::size_t>(i)];
    s.setValue(QStringLiteral("path"), QByteArray::fromStdString(t.path));
    s.setValue(QStringLiteral("format"), NameOf(t.format));
  }
  s.endArray();
}

WindowState LoadWindowState() {
  QSettings s = Store();
  WindowState w;
  w.geometry = s.value(QStringLiteral("Window/geometry")).toByteArray();
  w.cellFontSize = s.value(QStringLiteral("Window/cellFontSize"), 0).toInt();
  const QString encoding = s.value(QStringLiteral("Window/newTableEncoding")).toString();
  for (DisplayEncoding e : kEncodings)
    if (encoding == DisplayEncodingName(e)) w.newTableEncoding = e;
  return w;
}

void SaveWindowState(const WindowState& w) {
  QSettings s = Store();
  s.setValue(QStringLiteral("Window/geometry"), w.geometry);
  s.setValue(QStringLiteral("Window/cellFontSize"), w.cellFontSize);
  if (w.newTableEncoding)
    s.setValue(QStringLiteral("Window/newTableEncoding"), DisplayEncodingName(*w.newTableEncoding));
}

std::optional<TableFormat> DroppedTableFormat() {
  return FormatNamed(Store().value(QStringLiteral("DroppedTableFormat")).toString());
}

void SetDroppedTableFormat(TableFormat format) {
  Store().setValue(QStringLiteral("DroppedTableFormat"), NameOf(format));
}

void Clear() { Store().clear(); }

}  // namespace mojihyo::ui::settings
