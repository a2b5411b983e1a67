#pragma once
// "Mapa grande": while the option is on, the map view fills the main
// window's document area beside the palette and follows its size; when it
// goes off, the view takes back its size, place and limits from before.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <optional>

class QWidget;

class TLargeMap : public QObject {
 public:
  // Follows the map view window `view`, which owns it.
  explicit TLargeMap(QWidget& view);

  // Follows the LargeMapOn option.
  void Apply();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fit();

  QWidget& view_;
  QPointer<QWidget> area_;        // the document area, watched for its size while on
  std::optional<QRect> normal_;   // the view's geometry before it grew
};
