#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace money {

// The child windows of the main frame, at most one per key. The key is the window's class (its form
// name, "TForm8"); the period activity window, of which every confirmed date range opens one more,
// uses a key of its own for each. Opening a key brings its window forward, or creates it through the
// key's factory and shows it; closing a window destroys it and frees its key, so the next opening
// creates a fresh one.
class ChildWindowRegistry : public QObject {
  Q_OBJECT

 public:
  // Creates the window (parentless; the registry puts it into the frame), or returns nullptr to create none.
  using Factory = std::function<QWidget*()>;

  explicit ChildWindowRegistry(QMdiArea& frame, QObject* parent = nullptr);

  // The factory of a key; without one, opening does nothing.
  void RegisterFactory(const QString& key, Factory factory);
  // Opens with the key's registered factory; nullptr when there is none.
  QWidget* Open(const QString& key);
  // Opens with the given factory (for keys made at run time, such as a date range).
  QWidget* Open(const QString& key, const Factory& factory);
  // The open window of a key, or nullptr.
  QWidget* Find(const QString& key) const;

 private:
  QMdiSubWindow* OpenFrame(const QString& key) const;

  QMdiArea& frame_;
  std::map<QString, Factory> factories_;
  std::map<QString, QPointer<QMdiSubWindow>> open_;
};

}  // namespace money
