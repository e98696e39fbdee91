# The loader Emscripten writes, as the ES module the site's worker imports:
# the same script with its factory exported.
file(READ ${INPUT} loader)
file(WRITE ${OUTPUT} "${loader}\nexport default createSkarnwald;\n")
