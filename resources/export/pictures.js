// Readies rendered code, math and diagrams for LibreOffice's HTML import,
// which reads no style sheet rules, no SVG and none of KaTeX's layout: each
// coloured code span gets its colour written into the element, and each
// formula and diagram becomes a PNG picture of itself (drawn as an SVG image
// onto a canvas, which needs nothing from outside the page). What cannot be
// drawn stays as text: a formula as written, a diagram as its labels.
// The page has no window, so it is laid out as wide as the text for this.
async function quillviewPictures(textWidth) {
  const scale = 2;  // twice the pixels of the screen, for print
  const root = document.documentElement;
  root.style.width = textWidth + 'px';

  for (const span of document.querySelectorAll('pre code [class*="hljs-"]')) {
    const computed = getComputedStyle(span);
    span.style.color = computed.color;
    if (computed.fontStyle === 'italic')
      span.style.fontStyle = 'italic';
    if (Number(computed.fontWeight) >= 600)
      span.style.fontWeight = 'bold';
  }

  const style = window.quillviewRendering ? quillviewRendering.styleText() : '';
  const xmlText = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;');
  const serialise = (node) => new XMLSerializer().serializeToString(node);

  async function picture(markup, width, height, alt) {
    const image = new Image();
    image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(markup);
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = Math.ceil(width * scale);
    canvas.height = Math.ceil(height * scale);
    const context = canvas.getContext('2d');
    context.scale(scale, scale);
    context.drawImage(image, 0, 0, width, height);
    const result = document.createElement('img');
    result.className = 'quillview-picture';
    result.src = canvas.toDataURL('image/png');  // throws if the canvas was tainted
    result.setAttribute('width', Math.ceil(width));
    result.setAttribute('height', Math.ceil(height));
    result.alt = alt;
    return result;
  }

  // A formula as an SVG image: KaTeX's markup in a foreign object, with its
  // style sheet (fonts inline) and the font size and colour around it.
  async function formula(math) {
    const katex = math.querySelector('.katex');
    const annotation = math.querySelector('annotation');
    const tex = annotation ? annotation.textContent : math.textContent;
    // Shrink-wrapped: a display formula's box is otherwise the whole line.
    katex.style.display = 'inline-block';
    const box = katex.getBoundingClientRect();
    const around = getComputedStyle(math);
    const copy = katex.cloneNode(true);
    const mathml = copy.querySelector('.katex-mathml');
    if (mathml)
      mathml.remove();
    const width = Math.max(1, box.width), height = Math.max(1, box.height);
    const markup = '<svg xmlns="http://www.w3.org/2000/svg" width="' + width + '" height="' + height + '">'
        + '<foreignObject x="0" y="0" width="100%" height="100%">'
        + '<div xmlns="http://www.w3.org/1999/xhtml" style="white-space:nowrap;font-size:' + around.fontSize + ';color:' + around.color
        + ';line-height:' + around.lineHeight + '"><style>' + xmlText(style) + '</style>' + serialise(copy)
        + '</div></foreignObject></svg>';
    try {
      const image = await picture(markup, width, height, tex);
      if (math.classList.contains('display')) {
        const line = document.createElement('div');
        line.setAttribute('align', 'center');
        line.append(image);
        math.replaceWith(line);
      } else {
        math.replaceWith(image);
      }
    } catch (error) {
      math.textContent = math.classList.contains('display') ? '$$' + tex + '$$' : '$' + tex + '$';
    }
  }

  // A diagram's words, for the picture's alternative text or in its place.
  function labels(svg) {
    const words = new Set();
    for (const label of svg.querySelectorAll('text, .nodeLabel, .edgeLabel'))
      if (label.textContent.trim())
        words.add(label.textContent.trim());
    return Array.from(words).join(' · ');
  }

  async function diagram(svg) {
    const box = svg.getBoundingClientRect();
    const copy = svg.cloneNode(true);
    copy.setAttribute('width', box.width);
    copy.setAttribute('height', box.height);
    const block = svg.closest('pre') || svg;
    const paragraph = document.createElement('p');
    try {
      paragraph.append(await picture(serialise(copy), box.width, box.height, labels(svg)));
    } catch (error) {
      paragraph.textContent = labels(svg);
    }
    block.replaceWith(paragraph);
  }

  const waits = [];
  for (const math of document.querySelectorAll('span.math'))
    if (math.querySelector('.katex'))
      waits.push(formula(math));
  for (const svg of document.querySelectorAll('.quillview-diagram > svg'))
    waits.push(diagram(svg));
  await Promise.all(waits);
  root.style.removeProperty('width');
  if (!root.getAttribute('style'))
    root.removeAttribute('style');
}
