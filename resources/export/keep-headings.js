// Keeps every heading on the page of what follows it, since the engine does
// not honour break-after: avoid. A run of headings and the block after them
// go into one box that print.css does not let a page break split; a block
// taller than a quarter page stays out, as it would push the heading on and
// leave a gap. Heights are measured at the printed width (CSS pixels).
function quillviewKeepHeadings(printedWidth, pageHeight) {
  const tallest = pageHeight / 4;
  const isHeading = (element) => element && /^H[1-6]$/.test(element.tagName);
  const body = document.body;
  const width = body.style.width;
  body.style.width = printedWidth + 'px';
  const runs = [];
  for (const heading of document.querySelectorAll('h1, h2, h3, h4, h5, h6')) {
    if (isHeading(heading.previousElementSibling))
      continue;
    const kept = [heading];
    let next = heading.nextElementSibling;
    while (isHeading(next)) {
      kept.push(next);
      next = next.nextElementSibling;
    }
    if (next && next.getBoundingClientRect().height <= tallest)
      kept.push(next);
    if (kept.length > 1)
      runs.push(kept);
  }
  body.style.width = width;
  for (const kept of runs) {
    const box = document.createElement('div');
    box.className = 'quillview-keep';
    kept[0].before(box);
    box.append(...kept);
  }
  return runs.length;
}
