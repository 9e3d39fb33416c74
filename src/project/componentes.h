// The component records of a basin network: hydrological units, channel reaches, dams and lakes.
// Plain property records; every property can also be read and written by its member name.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/vb.h"

namespace tavo {

// Base of every record: access to the properties by member name. An unknown name raises error 438;
// a value that does not convert to the property's type raises error 13 or 6.
class Registro {
 public:
  virtual ~Registro() = default;
  Variant get(const QString& member) const;
  void set(const QString& member, const Variant& value);

  struct Member {
    const char* name;
    std::function<Variant(const Registro&)> get;
    std::function<void(Registro&, const Variant&)> set;
  };
  virtual const std::vector<Member>& members() const = 0;

 private:
  const Member& find(const QString& name) const;
};

// The object every unit owns; nothing reads or stores its two members.
class MetDirecto : public Registro {
 public:
  Variant Met2;
  ObjectRef Met1;
  const std::vector<Member>& members() const override;
};

// Hydrological unit: a sub-basin that turns rain into runoff.
class UEH : public Registro {
 public:
  Single KostiakovI = 0;  // initial time of the Kostiakov law [min]
  Single KRecesion = 0;   // recession constant [h]
  Single Q0Recesion = 0;  // initial base flow [m3/s]
  Single RetensionZ = 0;  // surface retention [mm]
  Single KostiakovB = 0;  // Kostiakov exponent b
  Single KostiakovA = 0;  // Kostiakov coefficient a
  QString Cauce_aa;       // receiving reach, dam or lake
  Single YCauce = 0;
  Single XCauce = 0;
  Single IconoUEHy = 0;
  Single IconoUEHx = 0;
  Integer numUEH = 0;
  std::shared_ptr<tavo::MetDirecto> MetDirecto = std::make_shared<tavo::MetDirecto>();
  Variant Metodo;          // "Directo"
  Single VelMedia = 0;     // mean overland velocity [m/s]
  Single LongitudMax = 0;  // longest overland path [m]
  QString Referencia;
  Single Area = 0;  // [ha]
  QString NombreUEH;

  const std::vector<Member>& members() const override;
};

// Channel reach.
class Cauce : public Registro {
 public:
  Integer numVertices = 0;
  Integer IndiceParInicial = 0;
  Integer numCauce = 0;
  Boolean optDirMusk = false;  // true: direct translation; false: Muskingum
  Integer OrdenCauce = 0;
  Single Cauce_n_Musk = 0;   // Muskingum x
  Single Cauce_k_Musk = 0;   // Muskingum K [min]
  Single VelMediaCauce = 0;  // [m/s]
  Single LongCauce = 0;      // [m]
  QString Cauce_aa;
  QString NombreCauce;

  const std::vector<Member>& members() const override;
};

// Dam, with eight analytic outflow ranges (k = 1 to 8; c only for 5 to 8).
class Represa : public Registro {
 public:
  Single HInicialEmb = 0;
  Boolean optTabla = false;  // true: outflow from the height-discharge table
  Integer chkFQ8 = 0, chkFQ7 = 0, chkFQ6 = 0, chkFQ5 = 0, chkFQ4 = 0, chkFQ3 = 0, chkFQ2 = 0, chkFQ1 = 0;
  Single FQMax8 = 0, FQMax7 = 0, FQMax6 = 0, FQMax5 = 0, FQMax4 = 0, FQMax3 = 0, FQMax2 = 0, FQMax1 = 0;
  Single FQmin8 = 0, FQmin7 = 0, FQmin6 = 0, FQmin5 = 0, FQmin4 = 0, FQmin3 = 0, FQmin2 = 0, FQmin1 = 0;
  Single Represa_n_Musk = 0;
  Single Represa_k_Musk = 0;
  Single FQc8 = 0, FQc7 = 0, FQc6 = 0, FQc5 = 0;
  Single FQb8 = 0, FQb7 = 0, FQb6 = 0, FQb5 = 0, FQb4 = 0, FQb3 = 0, FQb2 = 0, FQb1 = 0;
  Single FQa8 = 0, FQa7 = 0, FQa6 = 0, FQa5 = 0, FQa4 = 0, FQa3 = 0, FQa2 = 0, FQa1 = 0;
  QString Cauce_aa;
  Single YCauce = 0;
  Single XCauce = 0;
  Variant Metodo;  // "Piscina Nivelada", "Muskingum" or "Runge Kutta"
  Single IconoRepresaY = 0;
  Single IconoRepresaX = 0;
  Integer numRepresa = 0;
  QString NombreRepresa;
  // Not a property: the name the table files hold the dam's tables under, which a rename changes only
  // when the network is saved (see tablas.h); empty for a dam added since the load and never written.
  QString tablesName;

  // The fields of range k (1 to 8) by number; FQc only for k = 5 to 8.
  Integer& chkFQ(int k);
  Single& FQa(int k);
  Single& FQb(int k);
  Single& FQc(int k);
  Single& FQmin(int k);
  Single& FQMax(int k);

  const std::vector<Member>& members() const override;
};

// Lake or depression.
class Lago : public Registro {
 public:
  Single HInicialEmb = 0;
  Single Lago_k_Musk = 0;
  QString Cauce_aa;
  Variant Metodo;
  Variant YCauce;  // the loader stores a Single in it
  Single XCauce = 0;
  Single IconoLAGOy = 0;
  Single IconoLAGOx = 0;
  QString Referencia;
  Integer numLAGO = 0;
  QString NombreLAGO;
  // Not a property: the name the table file holds the lake's table under, as for a dam.
  QString tablesName;

  const std::vector<Member>& members() const override;
};

}  // namespace tavo
