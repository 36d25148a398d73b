<script type="text/javascript">
/* Tandeo personalisation: fname holds the visitor's first name, ready to write into the page
   with document.write(fname). The sign-up script passes the name in the address of the page it
   sends the new subscriber to (?fname=...); a cookie remembers it for later visits. Without a
   known name fname is the default salutation. fname is always HTML-escaped text. */
var fname = (function () {
  var salutation = "[DEFAULT SALUTATION]";
  var cookieName = "tdo_fname";

  function escapeHtml(text) {
    return String(text).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;")
      .replace(/"/g, "&quot;").replace(/'/g, "&#39;");
  }

  // One line of at most 60 characters, without control characters.
  function tidy(text) {
    text = String(text).replace(/[\u0000-\u001f\u007f-\u009f\u2028\u2029]/g, " ")
      .replace(/\s+/g, " ").replace(/^\s+|\s+$/g, "");
    return text.length > 60 ? text.substring(0, 60) : text;
  }

  function decode(text) {
    try {
      return decodeURIComponent(text.replace(/\+/g, " "));
    } catch (e) {
      return "";
    }
  }

  function fromQuery() {
    var pairs = window.location.search.replace(/^\?/, "").split("&");
    for (var i = 0; i < pairs.length; i++) {
      var at = pairs[i].indexOf("=");
      if (at > 0 && decode(pairs[i].substring(0, at)) === "fname")
        return decode(pairs[i].substring(at + 1));
    }
    return "";
  }

  function fromCookie() {
    var parts = document.cookie ? document.cookie.split(";") : [];
    for (var i = 0; i < parts.length; i++) {
      var part = parts[i].replace(/^\s+/, "");
      if (part.indexOf(cookieName + "=") === 0)
        return decode(part.substring(cookieName.length + 1));
    }
    return "";
  }

  var name = tidy(fromQuery());
  if (name) {
    try {
      document.cookie = cookieName + "=" + encodeURIComponent(name) +
        "; path=/; max-age=31536000; SameSite=Lax";
    } catch (e) {
      // Cookies switched off: the name still shows on this page.
    }
  } else {
    name = tidy(fromCookie());
  }
  return escapeHtml(name || tidy(salutation));
})();
</script>
<noscript><style>.tdo-fname::after { content: "[DEFAULT SALUTATION]"; }</style></noscript>
