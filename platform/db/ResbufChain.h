// Scope object for a result-buffer chain: releases it with acutRelRb when it
// goes out of scope, also when an exception passes.
#pragma once

#include "resbuf.h"

namespace uv {

class ResbufChain {
 public:
  ResbufChain() = default;
  explicit ResbufChain(resbuf* head) : m_head(head) {}
  ~ResbufChain() { reset(); }
  ResbufChain(const ResbufChain&) = delete;
  ResbufChain& operator=(const ResbufChain&) = delete;
  ResbufChain(ResbufChain&& o) noexcept : m_head(o.release()) {}
  ResbufChain& operator=(ResbufChain&& o) noexcept { reset(o.release()); return *this; }

  resbuf* get() const { return m_head; }
  operator resbuf*() const { return m_head; }  // NOLINT: passed where the host takes resbuf*
  resbuf* operator->() const { return m_head; }
  explicit operator bool() const { return m_head != nullptr; }
  // Address of the head, for functions that return a chain through resbuf*&.
  resbuf*& out() { reset(); return m_head; }

  resbuf* release() { resbuf* h = m_head; m_head = nullptr; return h; }
  void reset(resbuf* head = nullptr) {
    if (m_head && m_head != head) acutRelRb(m_head);
    m_head = head;
  }
  // Appends a chain (taking ownership of it) at the end.
  void append(resbuf* tail);
  int length() const;

 private:
  resbuf* m_head = nullptr;
};

// A deep copy of a chain (strings and binary chunks included).
resbuf* copyChain(const resbuf* head);

}  // namespace uv
