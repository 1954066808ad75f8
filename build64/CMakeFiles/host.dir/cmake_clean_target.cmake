file(REMOVE_RECURSE
  "libhost.a"
)
