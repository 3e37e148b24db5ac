proc main() {
  set(n, 0)
  forindi(p, i) { incr(n) }
  set(f, 0)
  set(c, 0)
  set(cp, 0)
  forfam(fm, j) {
    incr(f)
    if (and(husband(fm), wife(fm))) { incr(cp) }
    children(fm, ch, k) { incr(c) }
  }
  "people " d(n) " couples " d(cp) " children " d(c) "\n"
}
