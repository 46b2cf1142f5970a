// The page's headings for View ▸ Outline, by their index in document order.
(function (quillview) {
  'use strict';

  function headings() {
    return document.querySelectorAll('h1, h2, h3, h4, h5, h6');
  }

  // [[level, text], ...] as JSON text: one string crosses to the GUI thread
  // far faster than thousands of little lists.
  quillview.headings = function () {
    var all = headings(), found = [];
    for (var i = 0; i < all.length; ++i)
      found.push([Number(all[i].tagName.charAt(1)), all[i].textContent.replace(/\s+/g, ' ').trim()]);
    return JSON.stringify(found);
  };

  // The last heading whose top has reached the top of the view; the first
  // one while none has; -1 without headings.
  quillview.headingInView = function () {
    var all = headings(), found = all.length ? 0 : -1;
    for (var i = 0; i < all.length; ++i) {
      if (all[i].getBoundingClientRect().top > 8)
        break;
      found = i;
    }
    return found;
  };

  quillview.scrollToHeading = function (index) {
    var heading = headings()[index];
    if (heading)
      heading.scrollIntoView();
  };
})(window.quillview = window.quillview || {});
