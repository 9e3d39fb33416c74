#include "project/componentes.h"

#include "platform/errors.h"

namespace tavo {

namespace {

Variant ToVariant(Single v) {
  return Variant(v);
}
Variant ToVariant(Integer v) {
  return Variant(v);
}
Variant ToVariant(Boolean v) {
  return Variant(v);
}
Variant ToVariant(const QString& v) {
  return Variant(v);
}
Variant ToVariant(const Variant& v) {
  return v;
}
Variant ToVariant(const ObjectRef& v) {
  return Variant(v);
}
Variant ToVariant(const std::shared_ptr<MetDirecto>& v) {
  return Variant(ObjectRef(v));
}

void Assign(Single& field, const Variant& v) {
  field = v.toSingle();
}
void Assign(Integer& field, const Variant& v) {
  field = v.toInteger();
}
void Assign(Boolean& field, const Variant& v) {
  field = v.toBoolean();
}
void Assign(QString& field, const Variant& v) {
  field = v.toString();
}
void Assign(Variant& field, const Variant& v) {
  field = v;
}
void Assign(ObjectRef& field, const Variant& v) {
  field = v.toObject();
}
void Assign(std::shared_ptr<MetDirecto>& field, const Variant& v) {
  auto object = std::dynamic_pointer_cast<MetDirecto>(v.toObject());
  if (!object) Raise(kErrTypeMismatch);
  field = object;
}

template <class R, class F>
Registro::Member Field(const char* name, F R::*field) {
  return {name, [field](const Registro& r) { return ToVariant(static_cast<const R&>(r).*field); },
          [field](Registro& r, const Variant& v) { Assign(static_cast<R&>(r).*field, v); }};
}

}  // namespace

const Registro::Member& Registro::find(const QString& name) const {
  const auto& list = members();
  for (const Member& m : list) {
    if (name == QLatin1String(m.name)) return m;
  }
  // Member names are not case-sensitive.
  for (const Member& m : list) {
    if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) return m;
  }
  Raise(kErrNoSuchMember);
}

Variant Registro::get(const QString& member) const {
  return find(member).get(*this);
}
void Registro::set(const QString& member, const Variant& value) {
  find(member).set(*this, value);
}

const std::vector<Registro::Member>& MetDirecto::members() const {
  static const std::vector<Member> list = {Field("Met2", &MetDirecto::Met2),
                                           Field("Met1", &MetDirecto::Met1)};
  return list;
}

const std::vector<Registro::Member>& UEH::members() const {
  static const std::vector<Member> list = {
      Field("KostiakovI", &UEH::KostiakovI), Field("KRecesion", &UEH::KRecesion),
      Field("Q0Recesion", &UEH::Q0Recesion), Field("RetensionZ", &UEH::RetensionZ),
      Field("KostiakovB", &UEH::KostiakovB), Field("KostiakovA", &UEH::KostiakovA),
      Field("Cauce_aa", &UEH::Cauce_aa),     Field("YCauce", &UEH::YCauce),
      Field("XCauce", &UEH::XCauce),         Field("IconoUEHy", &UEH::IconoUEHy),
      Field("IconoUEHx", &UEH::IconoUEHx),   Field("numUEH", &UEH::numUEH),
      Field("MetDirecto", &UEH::MetDirecto), Field("Metodo", &UEH::Metodo),
      Field("VelMedia", &UEH::VelMedia),     Field("LongitudMax", &UEH::LongitudMax),
      Field("Referencia", &UEH::Referencia), Field("Area", &UEH::Area),
      Field("NombreUEH", &UEH::NombreUEH),
  };
  return list;
}

const std::vector<Registro::Member>& Cauce::members() const {
  static const std::vector<Member> list = {
      Field("numVertices", &Cauce::numVertices),   Field("IndiceParInicial", &Cauce::IndiceParInicial),
      Field("numCauce", &Cauce::numCauce),         Field("optDirMusk", &Cauce::optDirMusk),
      Field("OrdenCauce", &Cauce::OrdenCauce),     Field("Cauce_n_Musk", &Cauce::Cauce_n_Musk),
      Field("Cauce_k_Musk", &Cauce::Cauce_k_Musk), Field("VelMediaCauce", &Cauce::VelMediaCauce),
      Field("LongCauce", &Cauce::LongCauce),       Field("Cauce_aa", &Cauce::Cauce_aa),
      Field("NombreCauce", &Cauce::NombreCauce),
  };
  return list;
}

const std::vector<Registro::Member>& Represa::members() const {
  static const std::vector<Member> list = {
      Field("HInicialEmb", &Represa::HInicialEmb),
      Field("optTabla", &Represa::optTabla),
      Field("chkFQ8", &Represa::chkFQ8),
      Field("chkFQ7", &Represa::chkFQ7),
      Field("chkFQ6", &Represa::chkFQ6),
      Field("chkFQ5", &Represa::chkFQ5),
      Field("chkFQ4", &Represa::chkFQ4),
      Field("chkFQ3", &Represa::chkFQ3),
      Field("chkFQ2", &Represa::chkFQ2),
      Field("chkFQ1", &Represa::chkFQ1),
      Field("FQMax8", &Represa::FQMax8),
      Field("FQMax7", &Represa::FQMax7),
      Field("FQMax6", &Represa::FQMax6),
      Field("FQMax5", &Represa::FQMax5),
      Field("FQMax4", &Represa::FQMax4),
      Field("FQMax3", &Represa::FQMax3),
      Field("FQMax2", &Represa::FQMax2),
      Field("FQMax1", &Represa::FQMax1),
      Field("FQmin8", &Represa::FQmin8),
      Field("FQmin7", &Represa::FQmin7),
      Field("FQmin6", &Represa::FQmin6),
      Field("FQmin5", &Represa::FQmin5),
      Field("FQmin4", &Represa::FQmin4),
      Field("FQmin3", &Represa::FQmin3),
      Field("FQmin2", &Represa::FQmin2),
      Field("FQmin1", &Represa::FQmin1),
      Field("Represa_n_Musk", &Represa::Represa_n_Musk),
      Field("Represa_k_Musk", &Represa::Represa_k_Musk),
      Field("FQc8", &Represa::FQc8),
      Field("FQc7", &Represa::FQc7),
      Field("FQc6", &Represa::FQc6),
      Field("FQc5", &Represa::FQc5),
      Field("FQb8", &Represa::FQb8),
      Field("FQb7", &Represa::FQb7),
      Field("FQb6", &Represa::FQb6),
      Field("FQb5", &Represa::FQb5),
      Field("FQb4", &Represa::FQb4),
      Field("FQb3", &Represa::FQb3),
      Field("FQb2", &Represa::FQb2),
      Field("FQb1", &Represa::FQb1),
      Field("FQa8", &Represa::FQa8),
      Field("FQa7", &Represa::FQa7),
      Field("FQa6", &Represa::FQa6),
      Field("FQa5", &Represa::FQa5),
      Field("FQa4", &Represa::FQa4),
      Field("FQa3", &Represa::FQa3),
      Field("FQa2", &Represa::FQa2),
      Field("FQa1", &Represa::FQa1),
      Field("Cauce_aa", &Represa::Cauce_aa),
      Field("YCauce", &Represa::YCauce),
      Field("XCauce", &Represa::XCauce),
      Field("Metodo", &Represa::Metodo),
      Field("IconoRepresaY", &Represa::IconoRepresaY),
      Field("IconoRepresaX", &Represa::IconoRepresaX),
      Field("numRepresa", &Represa::numRepresa),
      Field("NombreRepresa", &Represa::NombreRepresa),
  };
  return list;
}

namespace {
template <class T>
T& Pick(int k, T& v1, T& v2, T& v3, T& v4, T& v5, T& v6, T& v7, T& v8) {
  switch (k) {
    case 1:
      return v1;
    case 2:
      return v2;
    case 3:
      return v3;
    case 4:
      return v4;
    case 5:
      return v5;
    case 6:
      return v6;
    case 7:
      return v7;
    case 8:
      return v8;
    default:
      Raise(kErrSubscript);
  }
}
}  // namespace

Integer& Represa::chkFQ(int k) {
  return Pick(k, chkFQ1, chkFQ2, chkFQ3, chkFQ4, chkFQ5, chkFQ6, chkFQ7, chkFQ8);
}
Single& Represa::FQa(int k) {
  return Pick(k, FQa1, FQa2, FQa3, FQa4, FQa5, FQa6, FQa7, FQa8);
}
Single& Represa::FQb(int k) {
  return Pick(k, FQb1, FQb2, FQb3, FQb4, FQb5, FQb6, FQb7, FQb8);
}
Single& Represa::FQmin(int k) {
  return Pick(k, FQmin1, FQmin2, FQmin3, FQmin4, FQmin5, FQmin6, FQmin7, FQmin8);
}
Single& Represa::FQMax(int k) {
  return Pick(k, FQMax1, FQMax2, FQMax3, FQMax4, FQMax5, FQMax6, FQMax7, FQMax8);
}
Single& Represa::FQc(int k) {
  if (k < 5) Raise(kErrSubscript);
  return Pick(k, FQc5, FQc5, FQc5, FQc5, FQc5, FQc6, FQc7, FQc8);
}

const std::vector<Registro::Member>& Lago::members() const {
  static const std::vector<Member> list = {
      Field("HInicialEmb", &Lago::HInicialEmb), Field("Lago_k_Musk", &Lago::Lago_k_Musk),
      Field("Cauce_aa", &Lago::Cauce_aa),       Field("Metodo", &Lago::Metodo),
      Field("YCauce", &Lago::YCauce),           Field("XCauce", &Lago::XCauce),
      Field("IconoLAGOy", &Lago::IconoLAGOy),   Field("IconoLAGOx", &Lago::IconoLAGOx),
      Field("Referencia", &Lago::Referencia),   Field("numLAGO", &Lago::numLAGO),
      Field("NombreLAGO", &Lago::NombreLAGO),
  };
  return list;
}

}  // namespace tavo
