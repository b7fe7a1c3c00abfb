#include "DatabaseDump.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "base/TextCase.h"
#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbCircle.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbFace.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbObjectIterator.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbText.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbXrecord.h"
#include "db/DbAccess.h"

namespace uvtest {

namespace {

using uv::DbAccess;

std::string num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.12g", v == 0 ? 0.0 : v);
  return buf;
}
std::string pt(const AcGePoint3d& p) { return "(" + num(p.x) + "," + num(p.y) + "," + num(p.z) + ")"; }
std::string vec(const AcGeVector3d& v) { return "(" + num(v.x) + "," + num(v.y) + "," + num(v.z) + ")"; }
std::string hex(AcDbObjectId id) { return id.isNull() ? "0" : uv::toUtf8(id.handle().text()); }
std::string name(AcDbObjectId id) {
  auto* rec = DbAccess::peekAs<AcDbSymbolTableRecord>(id);
  return rec ? uv::toUtf8(rec->nameText()) : "<" + hex(id) + ">";
}

class Dumper {
 public:
  explicit Dumper(const AcDbDatabase& db) : m_db(db) {}

  std::string run() {
    m_out << "clayer " << name(m_db.clayer()) << " celtype " << name(m_db.celtype()) << " textstyle "
          << name(m_db.textstyle()) << " celweight " << m_db.celweight() << "\n";
    table("LTYPE", m_db.linetypeTableId());
    table("LAYER", m_db.layerTableId());
    table("STYLE", m_db.textStyleTableId());
    table("APPID", m_db.regAppTableId());
    table("BLOCK", m_db.blockTableId());
    dictionary(m_db.namedObjectsDictionaryId(), 0);
    return m_out.str();
  }

 private:
  void xdata(const AcDbObject& o, int indent) {
    for (const uv::XDataGroup& g : o.xDataGroups()) {
      m_out << std::string(indent, ' ') << "xdata " << uv::toUtf8(g.appName) << ":";
      items(g.items);
      m_out << "\n";
    }
  }

  void items(const uv::ResItems& list) {
    for (const uv::ResItem& r : list) {
      m_out << " " << r.code << "=";
      switch (r.kind) {
        case uv::ResvalKind::kString: m_out << "'" << uv::toUtf8(r.text) << "'"; break;
        case uv::ResvalKind::kReal: m_out << num(r.real); break;
        case uv::ResvalKind::kPoint: m_out << pt(r.point); break;
        case uv::ResvalKind::kShort: case uv::ResvalKind::kLong: case uv::ResvalKind::kInt64: m_out << r.integer; break;
        case uv::ResvalKind::kName: m_out << "#" << hex(r.id); break;
        case uv::ResvalKind::kBinary:
          m_out << "[";
          for (unsigned char b : r.bytes) m_out << int(b) << ".";
          m_out << "]";
          break;
        default: m_out << "?";
      }
    }
  }

  void table(const char* title, AcDbObjectId tableId) {
    auto* t = DbAccess::peekAs<AcDbSymbolTable>(tableId);
    m_out << "table " << title << " #" << hex(tableId) << "\n";
    for (const AcDbObjectId& id : t->recordIds()) {
      auto* rec = DbAccess::peekAs<AcDbSymbolTableRecord>(id);
      if (rec->isErased()) continue;
      m_out << "  " << uv::toUtf8(rec->nameText()) << " #" << hex(id);
      if (auto* lt = AcDbLinetypeTableRecord::cast(rec)) {
        m_out << " '" << uv::toUtf8(lt->commentsConst()) << "' len " << num(lt->patternLength()) << " dashes";
        for (int i = 0; i < lt->numDashes(); ++i) m_out << " " << num(lt->dashLengthAt(i));
      } else if (auto* layer = AcDbLayerTableRecord::cast(rec)) {
        m_out << " color " << layer->color().colorIndex() << " lt " << name(layer->linetypeObjectId()) << " lw "
              << layer->lineWeight() << (layer->isOff() ? " off" : "") << (layer->isFrozen() ? " frozen" : "")
              << (layer->isLocked() ? " locked" : "") << (layer->isPlottable() ? "" : " noplot");
      } else if (auto* style = AcDbTextStyleTableRecord::cast(rec)) {
        const ACHAR* font = nullptr;
        const ACHAR* big = nullptr;
        style->fileName(font);
        style->bigFontFileName(big);
        m_out << " size " << num(style->textSize()) << " x " << num(style->xScale()) << " slant "
              << num(style->obliquingAngle()) << " font '" << uv::toUtf8(font) << "' big '" << uv::toUtf8(big) << "'";
      } else if (auto* btr = AcDbBlockTableRecord::cast(rec)) {
        const ACHAR* comments = nullptr;
        btr->comments(comments);
        m_out << " origin " << pt(btr->origin()) << " '" << uv::toUtf8(comments) << "' begin #"
              << hex(btr->blockBeginId()) << " end #" << hex(btr->blockEndId()) << "\n";
        xdata(*rec, 4);
        for (AcDbObject* o : btr->entities()) entity(*AcDbEntity::cast(o), 4);
        continue;
      }
      m_out << "\n";
      xdata(*rec, 4);
    }
  }

  void text(const AcDbText& t) {
    m_out << " '" << uv::toUtf8(t.textStringConst()) << "' at " << pt(t.position()) << " align "
          << pt(t.alignmentPoint()) << " h " << num(t.height()) << " rot " << num(t.rotation()) << " wf "
          << num(t.widthFactor()) << " obl " << num(t.oblique()) << " mode " << t.horizontalMode() << "/"
          << t.verticalMode() << " style " << name(t.textStyle()) << " n " << vec(t.normal()) << " th "
          << num(t.thickness());
  }

  template <class Owner>
  void children(const Owner& owner, AcDbObjectIterator* it, int indent) {
    for (it->start(); !it->done(); it->step())
      if (auto* e = DbAccess::peekAs<AcDbEntity>(it->objectId())) entity(*e, indent);
    delete it;
  }

  void entity(const AcDbEntity& e, int indent) {
    m_out << std::string(indent, ' ') << uv::toUtf8(e.isA()->name()) << " #" << hex(e.objectId()) << " layer "
          << name(e.layerId()) << " lt " << name(e.linetypeId()) << " color " << e.colorIndex() << " lw "
          << e.lineWeight() << " lts " << num(e.linetypeScale()) << (e.visibility() ? " invisible" : "");
    if (auto* l = AcDbLine::cast(&e)) {
      m_out << " " << pt(l->startPoint()) << "-" << pt(l->endPoint()) << " th " << num(l->thickness()) << " n "
            << vec(l->normal());
    } else if (auto* p = AcDbPoint::cast(&e)) {
      m_out << " " << pt(p->position()) << " th " << num(p->thickness()) << " n " << vec(p->normal());
    } else if (auto* a = AcDbArc::cast(&e)) {
      m_out << " c " << pt(a->center()) << " r " << num(a->radius()) << " " << num(a->startAngle()) << ".."
            << num(a->endAngle()) << " n " << vec(a->normal()) << " th " << num(a->thickness());
    } else if (auto* c = AcDbCircle::cast(&e)) {
      m_out << " c " << pt(c->center()) << " r " << num(c->radius()) << " n " << vec(c->normal()) << " th "
            << num(c->thickness());
    } else if (auto* d = AcDbAttributeDefinition::cast(&e)) {
      text(*d);
      m_out << " tag " << uv::toUtf8(d->tagConst()) << " prompt '" << uv::toUtf8(d->promptConst()) << "' flags "
            << d->isInvisible() << d->isConstant() << d->isVerifiable() << d->isPreset();
    } else if (auto* at = AcDbAttribute::cast(&e)) {
      text(*at);
      m_out << " tag " << uv::toUtf8(at->tagConst()) << " flags " << at->isInvisible() << at->isConstant();
    } else if (auto* t = AcDbText::cast(&e)) {
      text(*t);
    } else if (auto* lw = AcDbPolyline::cast(&e)) {
      m_out << " elev " << num(lw->elevation()) << (lw->isClosed() ? " closed" : "") << " n " << vec(lw->normal())
            << " th " << num(lw->thickness()) << " v";
      for (unsigned i = 0; i < lw->numVerts(); ++i) {
        AcGePoint2d q;
        double b = 0, sw = 0, ew = 0;
        lw->getPointAt(i, q);
        lw->getBulgeAt(i, b);
        lw->getWidthsAt(i, sw, ew);
        m_out << " (" << num(q.x) << "," << num(q.y) << " b" << num(b) << " w" << num(sw) << "/" << num(ew) << ")";
      }
    } else if (auto* p2 = AcDb2dPolyline::cast(&e)) {
      AcDbSequenceEnd* end = nullptr;
      p2->openSequenceEnd(end, AcDb::kForNotify);
      m_out << " type " << p2->polyType() << (p2->isClosed() ? " closed" : "") << " elev " << num(p2->elevation())
            << " n " << vec(p2->normal()) << " w " << num(p2->defaultStartWidth()) << "/"
            << num(p2->defaultEndWidth()) << " seqend #" << (end ? hex(end->objectId()) : "none") << "\n";
      if (end) end->close();
      xdata(e, indent + 2);
      children(*p2, p2->vertexIterator(), indent + 2);
      return;
    } else if (auto* v2 = AcDb2dVertex::cast(&e)) {
      m_out << " " << pt(v2->position()) << " b " << num(v2->bulge()) << " w " << num(v2->startWidth()) << "/"
            << num(v2->endWidth()) << " t " << num(v2->tangent()) << " type " << v2->vertexType();
    } else if (auto* p3 = AcDb3dPolyline::cast(&e)) {
      AcDbSequenceEnd* end = nullptr;
      p3->openSequenceEnd(end, AcDb::kForNotify);
      m_out << " type " << p3->polyType() << (p3->isClosed() ? " closed" : "") << " seqend #"
            << (end ? hex(end->objectId()) : "none") << "\n";
      if (end) end->close();
      xdata(e, indent + 2);
      children(*p3, p3->vertexIterator(), indent + 2);
      return;
    } else if (auto* v3 = AcDb3dPolylineVertex::cast(&e)) {
      m_out << " " << pt(v3->position()) << " type " << v3->vertexType();
    } else if (auto* f = AcDbFace::cast(&e)) {
      for (Adesk::UInt16 i = 0; i < 4; ++i) {
        AcGePoint3d q;
        f->getVertexAt(i, q);
        m_out << " " << pt(q);
      }
      m_out << " invisible " << f->invisibleEdgeFlags();
    } else if (auto* r = AcDbBlockReference::cast(&e)) {
      AcDbSequenceEnd* end = nullptr;
      r->openSequenceEnd(end, AcDb::kForNotify);
      m_out << " block " << name(r->blockTableRecord()) << " at " << pt(r->position()) << " scale "
            << num(r->scaleFactors().sx) << "," << num(r->scaleFactors().sy) << "," << num(r->scaleFactors().sz)
            << " rot " << num(r->rotation()) << " n " << vec(r->normal()) << " seqend #"
            << (end ? hex(end->objectId()) : "none") << "\n";
      if (end) end->close();
      xdata(e, indent + 2);
      children(*r, r->attributeIterator(), indent + 2);
      return;
    }
    m_out << "\n";
    xdata(e, indent + 2);
  }

  void dictionary(AcDbObjectId id, int indent) {
    auto* d = DbAccess::peekAs<AcDbDictionary>(id);
    m_out << std::string(indent, ' ') << "dictionary #" << hex(id) << "\n";
    xdata(*d, indent + 2);
    AcDbDictionaryIterator* it = d->newIterator();
    for (; !it->done(); it->next()) {
      const std::string key = uv::toUtf8(it->name());
      AcDbObject* o = DbAccess::peek(it->objectId());
      m_out << std::string(indent + 2, ' ') << key << ": ";
      if (AcDbDictionary::cast(o)) {
        dictionary(it->objectId(), indent + 4);
      } else if (auto* x = AcDbXrecord::cast(o)) {
        m_out << "xrecord #" << hex(it->objectId());
        items(x->items());
        m_out << "\n";
        xdata(*x, indent + 4);
      } else if (auto* g = AcDbGroup::cast(o)) {
        AcDbObjectIdArray ids;
        g->allEntityIds(ids);
        m_out << "group #" << hex(it->objectId()) << " '" << uv::toUtf8(g->description()) << "'"
              << (g->isSelectable() ? " selectable" : "") << " members";
        for (int i = 0; i < ids.length(); ++i) m_out << " #" << hex(ids[i]);
        m_out << "\n";
        xdata(*g, indent + 4);
      } else {
        m_out << (o ? uv::toUtf8(o->isA()->name()) : "<missing>") << "\n";
      }
    }
    delete it;
  }

  const AcDbDatabase& m_db;
  std::ostringstream m_out;
};

}  // namespace

std::string dumpDatabase(const AcDbDatabase& db) { return Dumper(db).run(); }

std::string firstDifference(const std::string& a, const std::string& b) {
  std::istringstream ia(a), ib(b);
  std::string la, lb;
  std::vector<std::string> context;
  int line = 0;
  while (true) {
    const bool ha = static_cast<bool>(std::getline(ia, la));
    const bool hb = static_cast<bool>(std::getline(ib, lb));
    ++line;
    if (!ha && !hb) return "";
    if (!ha || !hb || la != lb) {
      std::string out = "dumps differ at line " + std::to_string(line) + ":\n";
      for (const std::string& c : context) out += "    " + c + "\n";
      out += "  - " + (ha ? la : "<end>") + "\n  + " + (hb ? lb : "<end>") + "\n";
      return out;
    }
    context.push_back(la);
    if (context.size() > 3) context.erase(context.begin());
  }
}

}  // namespace uvtest
