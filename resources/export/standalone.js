// Hands back the rendered page for a file that must stand on its own: a style
// element with what rendered needs (code colours, math with its fonts
// inline), then the body's markup. Our script world leaves nothing in the
// markup itself: its style sheets are adopted, not elements, and the
// renderers' measuring elements are gone once they finish.
function quillviewStandalone() {
  for (const stray of document.querySelectorAll('body > [id^="dquillview-diagram-"]'))
    stray.remove();
  const style = window.quillviewRendering ? quillviewRendering.styleText() : '';
  return (style ? '<style type="text/css">\n' + style + '\n</style>\n' : '') + document.body.innerHTML;
}
