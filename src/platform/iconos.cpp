#include "platform/iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace tavo {

namespace {

const QColor kTinta(40, 60, 90);
const QColor kAgua(40, 120, 200);
const QColor kPapel(250, 250, 245);
const QColor kVerde(60, 140, 70);
const QColor kRojo(190, 50, 40);

using Dibujo = std::function<void(QPainter&)>;

QIcon Pinta(const Dibujo& dibujo) {
  QPixmap pix(48, 48);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(2, 2);  // drawn on a 24 x 24 grid
  dibujo(p);
  return QIcon(pix);
}

void Hoja(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kTinta, 1.2));
  p.setBrush(kPapel);
  p.drawRect(r);
}

void Grilla(QPainter& p, const QRectF& r, int filas, int columnas) {
  Hoja(p, r);
  p.setPen(QPen(kTinta, 0.8));
  for (int i = 1; i < filas; ++i)
    p.drawLine(QPointF(r.left(), r.top() + r.height() * i / filas),
               QPointF(r.right(), r.top() + r.height() * i / filas));
  for (int j = 1; j < columnas; ++j)
    p.drawLine(QPointF(r.left() + r.width() * j / columnas, r.top()),
               QPointF(r.left() + r.width() * j / columnas, r.bottom()));
  p.fillRect(QRectF(r.left() + 0.6, r.top() + 0.6, r.width() - 1.2, r.height() / filas - 1.2),
             QColor(172, 191, 183));
}

void Hidrograma(QPainter& p, const QRectF& r, const QColor& color, double pico) {
  QPainterPath curva;
  curva.moveTo(r.left(), r.bottom());
  curva.cubicTo(r.left() + r.width() * 0.25, r.bottom(), r.left() + r.width() * 0.3,
                r.bottom() - r.height() * pico, r.left() + r.width() * 0.4, r.bottom() - r.height() * pico);
  curva.cubicTo(r.left() + r.width() * 0.55, r.bottom() - r.height() * pico, r.left() + r.width() * 0.6,
                r.bottom(), r.right(), r.bottom() - 0.5);
  p.setPen(QPen(color, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curva);
}

void Ejes(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kTinta, 1.2));
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.drawLine(r.bottomLeft(), r.bottomRight());
}

void Numero(QPainter& p, const QString& texto, const QPointF& donde) {
  QFont f = p.font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  p.setPen(kRojo);
  p.drawText(QRectF(donde, QSizeF(10, 10)), Qt::AlignCenter, texto);
}

void Reproducir(QPainter& p, double x) {
  QPolygonF triangulo;
  triangulo << QPointF(x, 5) << QPointF(x + 9, 11) << QPointF(x, 17);
  p.setPen(QPen(kVerde.darker(130), 1));
  p.setBrush(kVerde);
  p.drawPolygon(triangulo);
}

const std::map<QString, Dibujo>& Dibujos() {
  static const std::map<QString, Dibujo> dibujos = {
      {QStringLiteral("Nuevo"),
       [](QPainter& p) {
         Hoja(p, QRectF(5, 3, 13, 18));
         p.setPen(QPen(kVerde, 2));
         p.drawLine(QPointF(17, 14), QPointF(17, 22));
         p.drawLine(QPointF(13, 18), QPointF(21, 18));
       }},
      {QStringLiteral("Abrir"),
       [](QPainter& p) {
         p.setPen(QPen(kTinta, 1.2));
         p.setBrush(QColor(235, 200, 90));
         p.drawRect(QRectF(3, 7, 18, 13));
         p.setBrush(QColor(250, 220, 120));
         QPolygonF tapa;
         tapa << QPointF(6, 11) << QPointF(23, 11) << QPointF(20, 20) << QPointF(3, 20);
         p.drawPolygon(tapa);
       }},
      {QStringLiteral("Guardar"),
       [](QPainter& p) {
         p.setPen(QPen(kTinta, 1.2));
         p.setBrush(QColor(70, 90, 150));
         p.drawRect(QRectF(4, 4, 16, 16));
         p.setBrush(kPapel);
         p.drawRect(QRectF(7, 4, 10, 6));
         p.drawRect(QRectF(7, 13, 10, 7));
       }},
      {QStringLiteral("Imprimir"),
       [](QPainter& p) {
         Hoja(p, QRectF(7, 3, 10, 7));
         p.setBrush(QColor(150, 150, 150));
         p.drawRect(QRectF(3, 10, 18, 8));
         Hoja(p, QRectF(7, 15, 10, 6));
       }},
      {QStringLiteral("Configurar"),
       [](QPainter& p) {
         p.setPen(QPen(kTinta, 3, Qt::SolidLine, Qt::RoundCap));
         for (int i = 0; i < 4; ++i) {
           p.save();
           p.translate(12, 12);
           p.rotate(45.0 * i);
           p.drawLine(QPointF(0, -9), QPointF(0, 9));
           p.restore();
         }
         p.setPen(QPen(kTinta, 1.2));
         p.setBrush(QColor(180, 190, 200));
         p.drawEllipse(QPointF(12, 12), 5.5, 5.5);
         p.setBrush(kPapel);
         p.drawEllipse(QPointF(12, 12), 2.2, 2.2);
       }},
      {QStringLiteral("Ayuda"),
       [](QPainter& p) {
         p.setPen(QPen(kAgua.darker(120), 1.2));
         p.setBrush(QColor(210, 230, 250));
         p.drawEllipse(QPointF(12, 12), 9, 9);
         QFont f = p.font();
         f.setPixelSize(14);
         f.setBold(true);
         p.setFont(f);
         p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
       }},
      {QStringLiteral("EditorGrUEHs"),
       [](QPainter& p) {
         p.setPen(QPen(kAgua, 2));
         p.drawLine(QPointF(4, 5), QPointF(11, 12));
         p.drawLine(QPointF(20, 5), QPointF(11, 12));
         p.drawLine(QPointF(11, 12), QPointF(12, 21));
         p.setPen(QPen(kTinta, 1));
         p.setBrush(kVerde);
         p.drawEllipse(QPointF(4, 5), 2.5, 2.5);
         p.drawEllipse(QPointF(20, 5), 2.5, 2.5);
         p.setBrush(kRojo);
         p.drawRect(QRectF(9, 10, 4, 4));
       }},
      {QStringLiteral("EditorTbUEHs"),
       [](QPainter& p) {
         Grilla(p, QRectF(2, 4, 16, 14), 4, 3);
         p.setPen(QPen(QColor(200, 150, 40), 3, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(13, 21), QPointF(21, 12));
       }},
      {QStringLiteral("VerParamUEHs"), [](QPainter& p) { Grilla(p, QRectF(3, 4, 18, 16), 4, 3); }},
      {QStringLiteral("EntraPp"),
       [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(150, 160, 175));
         p.drawEllipse(QPointF(9, 9), 5, 4);
         p.drawEllipse(QPointF(15, 8), 6, 5);
         p.drawRect(QRectF(5, 9, 15, 4));
         p.setPen(QPen(kAgua, 1.6, Qt::SolidLine, Qt::RoundCap));
         for (double x : {7.0, 11.0, 15.0, 19.0}) p.drawLine(QPointF(x, 16), QPointF(x - 2, 21));
       }},
      {QStringLiteral("Corre1"),
       [](QPainter& p) {
         Reproducir(p, 3);
         Numero(p, QStringLiteral("1"), QPointF(13, 11));
       }},
      {QStringLiteral("Corre2"),
       [](QPainter& p) {
         Reproducir(p, 2);
         Reproducir(p, 9);
         Numero(p, QStringLiteral("n"), QPointF(14, 12));
       }},
      {QStringLiteral("VerPizarra"),
       [](QPainter& p) {
         p.setPen(QPen(QColor(120, 80, 40), 1.5));
         p.setBrush(QColor(40, 70, 55));
         p.drawRect(QRectF(2, 4, 20, 15));
         p.setPen(QPen(Qt::white, 1));
         for (double y : {8.0, 11.0, 14.0}) p.drawLine(QPointF(5, y), QPointF(y < 13 ? 18 : 13, y));
       }},
      {QStringLiteral("VerHieto"),
       [](QPainter& p) {
         Ejes(p, QRectF(3, 3, 18, 18));
         p.setPen(Qt::NoPen);
         p.setBrush(kAgua);
         const double alturas[] = {4, 9, 14, 7, 3};
         for (int i = 0; i < 5; ++i) p.drawRect(QRectF(5 + i * 3.2, 3, 2.6, alturas[i]));
       }},
      {QStringLiteral("VerHidro"),
       [](QPainter& p) {
         Ejes(p, QRectF(3, 3, 18, 18));
         Hidrograma(p, QRectF(4, 4, 17, 16), kAgua, 0.85);
       }},
      {QStringLiteral("VerAbacoQDR"),
       [](QPainter& p) {
         Ejes(p, QRectF(3, 3, 18, 18));
         p.setBrush(Qt::NoBrush);
         const QColor colores[] = {kAgua, kVerde, kRojo};
         for (int i = 0; i < 3; ++i) {
           QPainterPath curva;
           curva.moveTo(4, 19 - i * 4);
           curva.quadTo(9, 8 - i * 3, 21, 7 - i * 2);
           p.setPen(QPen(colores[i], 1.4));
           p.drawPath(curva);
         }
       }},
      {QStringLiteral("VerTablaQDR1"),
       [](QPainter& p) {
         Grilla(p, QRectF(2, 3, 17, 17), 5, 4);
         Numero(p, QStringLiteral("1"), QPointF(14, 13));
       }},
      {QStringLiteral("VerTablaQDR2"),
       [](QPainter& p) {
         Grilla(p, QRectF(2, 3, 17, 17), 5, 2);
         Numero(p, QStringLiteral("2"), QPointF(14, 13));
       }},
  };
  return dibujos;
}

}  // namespace

QIcon IconoBoton(const QString& key) {
  const auto& dibujos = Dibujos();
  auto it = dibujos.find(key);
  return it == dibujos.end() ? QIcon() : Pinta(it->second);
}

QIcon IconoPrograma() {
  return Pinta([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(172, 191, 183));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    Hidrograma(p, QRectF(3, 4, 18, 15), kAgua.darker(120), 0.9);
    p.setPen(QPen(kTinta, 1.4));
    p.drawLine(QPointF(3, 19.5), QPointF(21, 19.5));
  });
}

}  // namespace tavo
