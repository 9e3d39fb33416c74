#include "project/componentes.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "project/redfiles.h"
#include "support/fixture.h"

namespace tavo {
namespace {

// A value of the member's own type, different for every member index.
Variant DistinctValue(const Variant& current, int i) {
  switch (current.type()) {
    case Variant::Type::Single:
      return Variant(Single(i + 0.25f));
    case Variant::Type::Integer:
      return Variant(Integer(100 + i));
    case Variant::Type::Boolean:
      return Variant(true);
    case Variant::Type::String:
      return Variant(QStringLiteral("texto %1").arg(i));
    case Variant::Type::Object:
      return Variant(ObjectRef(std::make_shared<MetDirecto>()));
    default:
      return Variant(QStringLiteral("variante %1").arg(i));
  }
}

// Sets every member by name to a distinct value and reads each one back by name: a name that
// reaches the wrong field shows up as a value overwritten by another member.
void CheckEveryMemberByName(Registro& r) {
  const auto& members = r.members();
  std::vector<Variant> written;
  for (size_t i = 0; i < members.size(); ++i) {
    const Variant value = DistinctValue(r.get(QLatin1String(members[i].name)), static_cast<int>(i));
    r.set(QLatin1String(members[i].name), value);
    written.push_back(value);
  }
  for (size_t i = 0; i < members.size(); ++i) {
    EXPECT_EQ(r.get(QLatin1String(members[i].name)), written[i]) << members[i].name;
  }
}

TEST(Componentes, EveryPropertyByNameRoundTrips) {
  UEH u;
  Cauce c;
  Represa r;
  Lago l;
  CheckEveryMemberByName(u);
  CheckEveryMemberByName(c);
  CheckEveryMemberByName(r);
  CheckEveryMemberByName(l);
  EXPECT_EQ(u.members().size(), 19u);
  EXPECT_EQ(c.members().size(), 11u);
  EXPECT_EQ(r.members().size(), 56u);
  EXPECT_EQ(l.members().size(), 11u);
}

// The network file's field lists and the records' member lists name the same fields, spelt alike, each
// typed member of the file's type: a field misspelt, missing from either list or of another type shows here.
// The unit's direct method is the one member the file does not hold.
TEST(Componentes, FileFieldsAndMembersAgree) {
  struct Kind {
    const char* name;
    std::shared_ptr<Registro> record;
    const std::vector<CampoRed>& campos;
  };
  const Kind kinds[] = {{"UEH", std::make_shared<UEH>(), CamposUEH()},
                        {"Cauce", std::make_shared<Cauce>(), CamposCauce()},
                        {"Represa", std::make_shared<Represa>(), CamposRepresa()},
                        {"Lago", std::make_shared<Lago>(), CamposLago()}};
  for (const Kind& kind : kinds) {
    QStringList members;
    for (const Registro::Member& m : kind.record->members()) {
      if (QLatin1String(m.name) != QLatin1String("MetDirecto")) members << QLatin1String(m.name);
    }
    QStringList campos;
    for (const CampoRed& campo : kind.campos) {
      campos << QLatin1String(campo.nombre);
      if (!members.contains(QLatin1String(campo.nombre))) continue;  // shown by the lists below
      const Variant::Type tipo = kind.record->get(QLatin1String(campo.nombre)).type();
      if (tipo == Variant::Type::Empty) continue;  // a Variant member takes what the file holds
      const Variant::Type esperado = campo.tipo == TipoCampo::Entero   ? Variant::Type::Integer
                                     : campo.tipo == TipoCampo::Texto  ? Variant::Type::String
                                     : campo.tipo == TipoCampo::Simple ? Variant::Type::Single
                                                                       : Variant::Type::Boolean;
      EXPECT_EQ(static_cast<int>(tipo), static_cast<int>(esperado)) << kind.name << "." << campo.nombre;
    }
    members.sort();
    campos.sort();
    EXPECT_EQ(campos, members) << kind.name;
  }
}

TEST(Componentes, ByNameAndDirectAccessAgree) {
  Represa r;
  for (int k = 1; k <= 8; ++k) {
    r.set(QStringLiteral("FQa%1").arg(k), Single(k * 1.5f));
    r.set(QStringLiteral("FQb%1").arg(k), Single(k * 2.5f));
    r.set(QStringLiteral("FQmin%1").arg(k), Single(k));
    r.set(QStringLiteral("FQMax%1").arg(k), Single(k * 10));
    r.set(QStringLiteral("chkFQ%1").arg(k), Integer(k));
    if (k >= 5) r.set(QStringLiteral("FQc%1").arg(k), Single(k * 3.5f));
  }
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(r.FQa(k), k * 1.5f);
    EXPECT_EQ(r.FQb(k), k * 2.5f);
    EXPECT_EQ(r.FQmin(k), k);
    EXPECT_EQ(r.FQMax(k), k * 10);
    EXPECT_EQ(r.chkFQ(k), k);
    if (k >= 5) {
      EXPECT_EQ(r.FQc(k), k * 3.5f);
    }
  }
  EXPECT_EQ(r.FQa3, 4.5f);
  EXPECT_EQ(r.FQc8, 28.0f);

  UEH u;
  u.Area = 12.5f;
  u.NombreUEH = QStringLiteral("u-Alta");
  EXPECT_EQ(u.get(QStringLiteral("Area")), Variant(Single(12.5f)));
  EXPECT_EQ(u.get(QStringLiteral("NombreUEH")), Variant(QStringLiteral("u-Alta")));
  Cauce c;
  c.set(QStringLiteral("optDirMusk"), true);
  c.set(QStringLiteral("numVertices"), Integer(8));
  EXPECT_TRUE(c.optDirMusk);
  EXPECT_EQ(c.numVertices, 8);
}

TEST(Componentes, NewRecordsHoldTheirDefaults) {
  Cauce c;
  EXPECT_EQ(c.numVertices, 0);
  EXPECT_FALSE(c.optDirMusk);
  EXPECT_TRUE(c.Cauce_aa.isEmpty());
  Represa r;
  EXPECT_FALSE(r.optTabla);
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(r.chkFQ(k), 0);
  EXPECT_TRUE(r.Metodo.isEmpty());
  Lago l;
  EXPECT_TRUE(l.Metodo.isEmpty());
  EXPECT_TRUE(l.YCauce.isEmpty());
  UEH u;
  EXPECT_TRUE(u.Metodo.isEmpty());
  ASSERT_NE(u.MetDirecto, nullptr);
  UEH other;
  EXPECT_NE(u.MetDirecto, other.MetDirecto);
}

TEST(Componentes, LakeJoinPointIsAVariant) {
  Lago l;
  l.set(QStringLiteral("YCauce"), Single(250.5f));
  ASSERT_NE(l.YCauce.get_if<Single>(), nullptr);
  EXPECT_EQ(*l.YCauce.get_if<Single>(), 250.5f);
  l.set(QStringLiteral("Metodo"), QStringLiteral("Muskingum"));
  EXPECT_EQ(l.Metodo.toString(), "Muskingum");
}

TEST(Componentes, BadNamesAndValues) {
  UEH u;
  EXPECT_EQ(test::ErrorOf([&] { u.get(QStringLiteral("NoExiste")); }), kErrNoSuchMember);
  EXPECT_EQ(test::ErrorOf([&] { u.set(QStringLiteral("Area"), QStringLiteral("mucho")); }), kErrTypeMismatch);
  EXPECT_EQ(test::ErrorOf([&] { u.set(QStringLiteral("numUEH"), Single(40000)); }), kErrOverflow);
  // Names are not case-sensitive; numbers stored into texts become plain number text.
  u.set(QStringLiteral("area"), Single(3));
  EXPECT_EQ(u.Area, 3.0f);
  u.set(QStringLiteral("Referencia"), Single(0.5f));
  EXPECT_EQ(u.Referencia, "0.5");
}

}  // namespace
}  // namespace tavo
