#include "ResbufChain.h"

#include <cstdlib>
#include <cstring>

namespace uv {

void ResbufChain::append(resbuf* tail) {
  if (!m_head) { m_head = tail; return; }
  resbuf* last = m_head;
  while (last->rbnext) last = last->rbnext;
  last->rbnext = tail;
}

int ResbufChain::length() const {
  int n = 0;
  for (const resbuf* rb = m_head; rb; rb = rb->rbnext) ++n;
  return n;
}

resbuf* copyChain(const resbuf* head) {
  resbuf* out = nullptr;
  resbuf** next = &out;
  for (const resbuf* rb = head; rb; rb = rb->rbnext) {
    resbuf* c = acutNewRb(rb->restype);
    c->resval = rb->resval;
    switch (resvalKind(rb->restype)) {
      case ResvalKind::kString: c->resval.rstring = rb->resval.rstring ? newResString(rb->resval.rstring) : nullptr; break;
      case ResvalKind::kBinary:
        c->resval.rbinary.buf = nullptr;
        c->resval.rbinary.clen = 0;
        if (rb->resval.rbinary.buf && rb->resval.rbinary.clen > 0) {
          c->resval.rbinary.buf = static_cast<char*>(std::malloc(size_t(rb->resval.rbinary.clen)));
          std::memcpy(c->resval.rbinary.buf, rb->resval.rbinary.buf, size_t(rb->resval.rbinary.clen));
          c->resval.rbinary.clen = rb->resval.rbinary.clen;
        }
        break;
      default: break;
    }
    *next = c;
    next = &c->rbnext;
  }
  return out;
}

}  // namespace uv
